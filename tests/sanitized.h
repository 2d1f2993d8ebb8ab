#ifndef SANITIZED_H
#define SANITIZED_H

// Whether the test runs in the sanitizers' build, some ten times slower,
// where a test of many random cases may run fewer of them: it looks there
// for faults of memory and arithmetic, which few cases show as well as many.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitized = true;
#else
constexpr bool sanitized = false;
#endif
#else
constexpr bool sanitized = false;
#endif

#endif // SANITIZED_H
