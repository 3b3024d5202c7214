// Every Qt Widgets header includes this one first. The core library puts this folder ahead of Qt's own
// include path, so a widget include anywhere in the core stops the build here.
// clang-format off
#error "The Vantrel core (net, settings, output, ops) must not use Qt Widgets; widgets belong in src/ui or src/app."
// clang-format on
