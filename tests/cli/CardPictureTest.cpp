// PNG cards: librsvg draws every card, hostile report text included, at
// twice its size and with more than a background on it.

#include "cli/CardPicture.h"
#include "GeneratedReport.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/ShareFormats.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <fstream>
#include <memory>
#include <regex>
#include <set>

namespace skarnwald::test {
namespace {

struct ReadState {
    std::string_view png;
    std::size_t at = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* data, unsigned int length) {
    auto& state = *static_cast<ReadState*>(closure);
    if (state.png.size() - state.at < length)
        return CAIRO_STATUS_READ_ERROR;
    std::copy_n(state.png.data() + state.at, length, data);
    state.at += length;
    return CAIRO_STATUS_SUCCESS;
}

int SvgHeight(const std::string& svg) {
    std::smatch found;
    std::regex_search(svg, found, std::regex(R"re(height="(\d+)")re"));
    return std::stoi(found[1]);
}

std::string CardOf(const std::string& name) {
    if (name == "hostile")
        return ConvertToCards("2026-03-14 21:07:55 Uhr Battle at [4.7.2] <svg>&amp;]]>\n"
                              "Agility 40 [120/120] Fighter (F) from 4.7.2 Mi\"<rela>'\x01&\xEF\xBF\xBF\n",
                              {}, "", false)
            .summary;
    if (name == "generated")
        return ConvertToCards(skarnwald::testing::GenerateReport(400), {}, "", false).summary;
    std::ifstream in(std::filesystem::path(SKARNWALD_SAMPLES) / (name + ".txt"), std::ios::binary);
    return ConvertToCards(PrepareCopiedReport(ReadReport(in).value_or("")), {}, "", false).summary;
}

class CardPicture : public ::testing::TestWithParam<std::string> {};

TEST_P(CardPicture, IsDrawnAtTwiceItsSizeWithTextOnIt) {
    const std::string svg = CardOf(GetParam());
    std::string error;
    const auto png = cli::CardPng(svg, cli::kCardPngScale, error);
    ASSERT_TRUE(png) << error;
    ReadState state{*png};
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> image(
        cairo_image_surface_create_from_png_stream(ReadPng, &state), cairo_surface_destroy);
    ASSERT_EQ(cairo_surface_status(image.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image.get()), kCardWidth * cli::kCardPngScale);
    EXPECT_EQ(cairo_image_surface_get_height(image.get()), SvgHeight(svg) * cli::kCardPngScale);
    std::set<std::uint32_t> colours;
    const int stride = cairo_image_surface_get_stride(image.get());
    const unsigned char* data = cairo_image_surface_get_data(image.get());
    for (int y = 0; y < cairo_image_surface_get_height(image.get()); y += 3)
        for (int x = 0; x < cairo_image_surface_get_width(image.get()); x += 3)
            colours.insert(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]);
    EXPECT_GT(colours.size(), 20u); // background, bands and anti-aliased text in several colours
}

INSTANTIATE_TEST_SUITE_P(Reports, CardPicture,
                         ::testing::Values("one-battle", "several-battles", "roids-and-salvage", "generated",
                                           "hostile"));

} // namespace
} // namespace skarnwald::test
