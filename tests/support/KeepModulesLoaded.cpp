// Preloaded into the sanitizer test runs only. The GL driver is a module that
// the X connection unloads at exit, just before the leak check runs; memory
// it still held then shows up as leaks from an unknown module that no
// suppression can name. Keeping every module mapped lets the driver's
// allocations be traced (and suppressed) like any other library's.
extern "C" int dlclose(void*) {
    return 0;
}
