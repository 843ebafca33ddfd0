#pragma once

namespace dlk::testing {

// True in a build with AddressSanitizer. Tests that only draw pictures for a
// person to look at skip there: they cost many times their normal time, and
// the normal build draws the same pictures.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizerBuild = true;
#else
inline constexpr bool kSanitizerBuild = false;
#endif
#else
inline constexpr bool kSanitizerBuild = false;
#endif

}  // namespace dlk::testing
