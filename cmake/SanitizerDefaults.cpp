// Linked into every program of a thread-sanitizer build. Qt is not built with
// the sanitizer: its own threads (the image thread pool) synchronise in ways
// the sanitizer cannot see, so races it reports inside Qt are not ours.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt6Core.so\n"
           "race:libQt6Gui.so\n"
           "race:libQt6Widgets.so\n"
           "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
