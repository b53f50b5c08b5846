// KELVARA_EXPECT(condition): an assumption the code rests on (an index in
// range, a state, a valid descriptor), written as a check, for the
// libraries without Qt; Q_ASSERT is its twin in the Qt code. Where it does
// not hold the program stops at once, naming the file, the line and the
// condition, instead of going on with a broken assumption. Like assert and
// Q_ASSERT it is compiled out under NDEBUG (our release builds); the
// sanitizer and debug builds keep it.
#pragma once

#ifdef NDEBUG
#define KELVARA_EXPECT(condition) static_cast<void>(sizeof(!(condition))) // not evaluated
#else
#define KELVARA_EXPECT(condition)                                                                            \
    ((condition) ? static_cast<void>(0) : ::kelvara::ExpectationFailed(#condition, __FILE__, __LINE__))
#endif

namespace kelvara {

// Writes "FILE:LINE: expected CONDITION" to the standard error and aborts.
[[noreturn]] void ExpectationFailed(const char* condition, const char* file, int line) noexcept;

} // namespace kelvara
