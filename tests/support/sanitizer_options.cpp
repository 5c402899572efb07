// Under AddressSanitizer an impossible allocation must come back as null, as
// it does from the platform allocator, so that the tests can see the checked
// allocators report it. The sanitizer reads this hook at start; without the
// sanitizer nothing calls it.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}
