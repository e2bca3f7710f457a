// Sanitizer defaults of the libFuzzer programs. AddressSanitizer keeps up to 256 MiB of freed
// memory in quarantine by default, which would count against the fuzz runs' 256 MiB limit on
// the process; a smaller quarantine still catches a use shortly after a free.
// The runtime's __tls_get_addr hook takes a dynamic TLS block that happens to start 16 bytes
// into a page for one with the header of glibc before 2.25, and reads a bogus range from in
// front of it; Mesa's driver has such blocks, and the leak check's tracer then dies on a stray
// address now and then (signal 11, no leak reported). Without the hook that cannot happen.

extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16:detect_leaks=1:intercept_tls_get_addr=0";
}
