#pragma once

// Runs tests/net/topology.sh for the kernel tests. Each test process names its topology STEM<pid>, so
// runs never meet, and removes those of earlier runs whose process is gone (a crash, a kill).

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <unistd.h>

#ifndef VANTREL_TOPOLOGY_SCRIPT
#error "the test target defines VANTREL_TOPOLOGY_SCRIPT, the path of topology.sh"
#endif

namespace vantrel::test {

// The command line "topology.sh ACTION PREFIX".
inline std::string topologyCommand(const std::string& action, const std::string& prefix) {
    return std::string(VANTREL_TOPOLOGY_SCRIPT) + " " + action + " " + prefix;
}

// Runs "topology.sh ACTION PREFIX", its errors shown and the rest of its output discarded; true when it
// succeeded.
inline bool runTopology(const std::string& action, const std::string& prefix) {
    return std::system((topologyCommand(action, prefix) + " >/dev/null").c_str()) == 0;
}

// Whether the kernel tests must run here: CI sets VANTREL_REQUIRE_ROOT_TESTS=1, so that a run without root
// fails them there instead of skipping them silently; on a developer's machine they skip without root.
inline bool rootTestsRequired() {
    const char* required = std::getenv("VANTREL_REQUIRE_ROOT_TESTS");
    return required != nullptr && std::string(required) == "1";
}

// The prefix of this process's topology: STEM followed by the process ID.
inline std::string topologyPrefix(const std::string& stem) {
    return stem + std::to_string(::getpid());
}

// Removes, with `downAction`, every topology STEM<pid> whose namespace STEM<pid>-ROLE exists while
// process pid is gone.
inline void removeTopologyLeftovers(const std::string& stem, const std::string& role,
                                    const std::string& downAction) {
    const std::regex ours(stem + "([0-9]+)-" + role);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/run/netns", error)) {
        std::smatch match;
        const std::string name = entry.path().filename().string();
        if (!std::regex_match(name, match, ours))
            continue;
        const pid_t owner = pid_t(std::stol(match[1]));
        if (::kill(owner, 0) != 0 && errno == ESRCH)
            runTopology(downAction, stem + match[1].str());
    }
}

} // namespace vantrel::test
