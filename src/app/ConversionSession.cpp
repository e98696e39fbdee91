#include "app/ConversionSession.h"

#include "archive/SettingsStore.h"
#include "reading/ReportConverter.h"

#include <ostream>

namespace skarnwald {

void CConversionSession::Bind(const ConnectionPtr& connection) {
    database_.SetConnection(connection);
    storing_.SetSettings(ReadStoringSettings(*connection));
    redaction_ = ReadRedaction(*connection);
}

bool CConversionSession::ChangeSettings(StoringSettings storing, const Redaction& redaction) {
    const bool sharingChanged = redaction != redaction_ || storing.ownCoords != OwnCoords();
    redaction_ = redaction;
    storing_.SetSettings(std::move(storing));
    if (!sharingChanged || !hasShareTexts_)
        return false;
    WithdrawShareTexts();
    return true;
}

std::size_t CConversionSession::Convert(std::string_view report) {
    ConversionResult result =
        skarnwald::Convert(report, {.redaction = redaction_,
                                    .ownCoords = OwnCoords(),
                                    .outputs = ConversionOutputs::ShareTexts(true),
                                    .progress = progress_,
                                    // A storing writer that stores nothing is left out of the walk.
                                    .storing = storing_.Settings().Any() ? &storing_ : nullptr});
    lastStoredBattles_ = result.storingRan && storing_.Settings().StoresBattles();
    const std::size_t battles = result.battles;
    if (battles == 0) {
        WithdrawShareTexts();
        return 0;
    }
    last_ = std::move(result);
    hasShareTexts_ = true;
    return battles;
}

void CConversionSession::WithdrawShareTexts() {
    last_.bbcode.clear();
    last_.discordMessages.clear();
    last_.title.clear();
    last_.json.clear();
    last_.card.clear();
    last_.battleCards.clear();
    hasShareTexts_ = false;
}

int CConversionSession::SkippedBattles() const {
    return lastStoredBattles_ ? database_.SkippedBattles() : 0;
}

std::string CConversionSession::PageFileStem() const {
    return skarnwald::PageFileStem(last_.first.coords, last_.first.date);
}

void CConversionSession::WritePage(std::ostream& out) const {
    out.write(last_.page.data(), static_cast<std::streamsize>(last_.page.size()));
}

BatchResult CConversionSession::ConvertFiles(std::span<const std::filesystem::path> inputs,
                                             const std::filesystem::path& folder,
                                             const BatchStep& beforeEach) {
    // The batch writes each page straight into its file, through a converter
    // set up as a single conversion is.
    CReportConverter converter;
    converter.redaction = redaction_;
    converter.ownCoords = OwnCoords();
    converter.SetProgress(progress_);
    AttachStoring(converter, storing_);
    return ConvertReportFiles(converter, inputs, folder, beforeEach);
}

} // namespace skarnwald
