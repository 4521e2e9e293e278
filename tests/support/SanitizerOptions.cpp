// Options of the sanitizer build for every test program, compiled into the
// program itself so they hold however it is started. Tests provoke allocation
// failures on purpose; a leak or undefined behaviour fails the run.

extern "C" {
// The sanitizer's own record of dynamic thread-local blocks misreads this
// C library's and crashed the leak check at exit (a "DTLS" entry at a bogus
// address); without it, those blocks are simply not searched for pointers.
const char* __asan_default_options() {
    return "allocator_may_return_null=1:detect_leaks=1:intercept_tls_get_addr=0";
}
const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
}
