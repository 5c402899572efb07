// Under AddressSanitizer an impossible or oversized allocation must come
// back as null, as it does from the platform allocator under a memory limit,
// so that the tests can see the checked allocators report it. The sanitizer
// reads this hook at start; without the sanitizer nothing calls it.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}
