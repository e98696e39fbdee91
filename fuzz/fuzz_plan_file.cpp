// Feeds arbitrary bytes to the attack-plan file reader. A plan it accepts
// must save and load again to the same text; anything else must be refused
// with a reason.

#include "planning/PlanFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const skarnwald::PlanLoadResult loaded =
        skarnwald::LoadPlanText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!loaded.plan) {
        if (loaded.error.empty())
            __builtin_trap();
        return 0;
    }
    const std::string saved = skarnwald::SavePlanText(*loaded.plan);
    const skarnwald::PlanLoadResult again = skarnwald::LoadPlanText(saved);
    if (!again.plan || skarnwald::SavePlanText(*again.plan) != saved)
        __builtin_trap();
    return 0;
}
