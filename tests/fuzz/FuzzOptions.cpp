// Sanitizer defaults of the libFuzzer programs. AddressSanitizer keeps up to 256 MiB of freed
// memory in quarantine by default, which would count against the fuzz runs' 256 MiB limit on
// the process; a smaller quarantine still catches a use shortly after a free.

extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:detect_leaks=1"; }
