# The Debian package that scripts/package builds with cpack -G DEB from a built tree. It installs to /usr
# whatever prefix the tree was configured for, strips the programs, and takes Depends from the shared
# libraries the programs and the PDF module link (dpkg-shlibdeps). No maintainer scripts: allowing ICMP
# sockets (net.ipv4.ping_group_range) stays the user's choice, as the README says.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quenlo Software")
set(CPACK_PACKAGE_CONTACT "Quenlo Software <pimbo@quenlo.example>")
# The install rules see the package's prefix, so the watch service names /usr/bin/vantrel-cli.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quenlo.example/vantrel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive network diagnostic toolkit")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vantrel pings hosts, traces the route to them, looks up names and addresses,
sweeps ranges of addresses, monitors a path hop by hop and watches servers in
the background. Results show as tables in a Results window and can be logged
to an RTF file.
.
The package holds the desktop program vantrel and the command line vantrel-cli,
which runs the same operations from a terminal and serves a watch list's
figures to Prometheus (a systemd user service).")
include(CPack)
