// Linked into every program of a checked build. glib is not built with the sanitizers
// and its main loop synchronises in ways the sanitizer cannot see, so reports inside it
// are not ours. Qt's own threads are left out by QtThreadReports.cpp (they cannot be
// named here); everything else, Qt's other code included, is reported.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libglib-2.0.so\n"
           "called_from_lib:libglib-2.0.so.0\n";
}

// Memory glib and fontconfig keep for the process's life (their caches; fontconfig drops
// its references to entries it rebuilds, which a fuzzer's leak check takes for leaks), and
// the C library's composite locale names, kept by setlocale.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libglib-2.0.so\n"
           "leak:libfontconfig.so\n"
           "leak:__argz_add_sep\n";
}
