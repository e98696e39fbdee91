#pragma once
// The desktop program's conversions, apart from the form that shows them: the
// archive binding and the storing writer with its settings, what sharing
// hides, and the last conversion kept whole in memory. The preview and the
// share commands take it from here, so a page is written once, when it is
// saved, and never read back.

#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "writers/BatchConversion.h"
#include "writers/Conversion.h"

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace skarnwald {

class CConversionSession {
public:
    // Binds the archive and reads from it what is stored, the own
    // coordinates and what sharing hides.
    void Bind(const ConnectionPtr& connection);
    // Told how far each conversion has got; not owned.
    void SetProgress(IProgress* progress) { progress_ = progress; }

    const StoringSettings& Storing() const { return storing_.Settings(); }
    const std::string& OwnCoords() const { return storing_.Settings().ownCoords; }
    const Redaction& Hiding() const { return redaction_; }
    // Takes the settings dialog's choices. Share texts converted under the
    // old switches could show what is now hidden: true when they were
    // withdrawn for that.
    bool ChangeSettings(StoringSettings storing, const Redaction& redaction);

    // Converts `report` into its page and share texts, storing it as the
    // settings say; the number of battles found. A conversion without a
    // battle withdraws the share texts and keeps the page before it.
    std::size_t Convert(std::string_view report);
    // The last conversion that found a battle.
    const ConversionResult& Last() const { return last_; }
    bool HasPage() const { return !last_.page.empty(); }
    bool HasShareTexts() const { return hasShareTexts_; }
    void WithdrawShareTexts();
    // The battles the last conversion found stored before; none when it did not store.
    int SkippedBattles() const;
    // The name the last page and its share files are offered under, without extension.
    std::string PageFileStem() const;
    // Writes the last page into `out`, whose file tells whether it got there.
    void WritePage(std::ostream& out) const;

    // Each report file into its page in `folder`, stored as a single
    // conversion would be; the last conversion stays as it was.
    BatchResult ConvertFiles(std::span<const std::filesystem::path> inputs,
                             const std::filesystem::path& folder, const BatchStep& beforeEach);

private:
    CBattleDatabase database_;
    CStoringWriter storing_{database_};
    Redaction redaction_;
    IProgress* progress_ = nullptr;
    ConversionResult last_;
    bool hasShareTexts_ = false;
    bool lastStoredBattles_ = false;
};

} // namespace skarnwald
