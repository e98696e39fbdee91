#include "text/ReportFiles.h"

#include "text/Utf8Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <istream>
#include <random>

namespace skarnwald {

namespace {

void AppendChunk(std::string& text, std::string_view chunk) {
    text.append(chunk.substr(0, chunk.find('\0')));
}

} // namespace

std::optional<std::string> ReadReport(std::istream& in) {
    std::string text;
    std::string chunk(kReadChunkSize, '\0');
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        AppendChunk(text, {chunk.data(), static_cast<std::size_t>(in.gcount())});
    }
    if (in.bad())
        return std::nullopt;
    NormaliseTextInPlace(text);
    return text;
}

std::string ReadReport(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); at += kReadChunkSize)
        AppendChunk(text, bytes.substr(at, kReadChunkSize));
    NormaliseTextInPlace(text);
    return text;
}

ReadResult ReadReportFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return {std::nullopt, std::strerror(EISDIR)};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {std::nullopt, std::strerror(errno)};
    auto text = ReadReport(in);
    if (!text)
        return {std::nullopt, "read error"};
    return {std::move(text), {}};
}

std::string OutputFileName(std::string_view chosenPath) {
    if (chosenPath.ends_with("htm") || chosenPath.ends_with("html"))
        return std::string(chosenPath);
    return std::string(chosenPath) + ".htm";
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
    std::random_device seed;
    std::string name = target_.filename().string();
    name.insert(0, 1, '.');
    name += '.';
    name += std::to_string(seed());
    name += ".tmp";
    temporary_ = folder / name;
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_)
        error_ = std::strerror(errno);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (committed_)
        return;
    out_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

std::string AtomicFileWriter::Commit() {
    if (!error_.empty())
        return error_;
    out_.flush();
    const bool written = static_cast<bool>(out_);
    const int writeErrno = errno;
    out_.close();
    if (!written || out_.fail())
        return writeErrno != 0 ? std::strerror(writeErrno) : "write error";
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec)
        return ec.message();
    committed_ = true;
    return {};
}

WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 const std::function<bool(std::ostream&)>& write) {
    AtomicFileWriter writer(target);
    if (!writer.OpenError().empty())
        return {false, writer.OpenError()};
    if (!write(writer.Stream()))
        return {};
    std::string error = writer.Commit();
    return {error.empty(), std::move(error)};
}

} // namespace skarnwald
