#pragma once
// What the converter reaches outside itself: the progress display and the
// end-of-conversion notice. Each is a small interface so the converter runs
// headless in tests and in the command line; either may be left unset.

#include <cstdint>
#include <string_view>

namespace skarnwald {

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetPos(int pos) = 0;
};

class INotifier {
public:
    virtual ~INotifier() = default;
    virtual void ShowMessage(std::string_view text) = 0;
};

// The side a stored fleet line gets when its coordinates have no side entry:
// neither attacking (0) nor defending (1), so stored pages draw it blue.
inline constexpr std::int32_t kNoSideKampftyp = -1;

} // namespace skarnwald
