#include "PictureFiles.h"

#include "EmfWriter.h"
#include "EpsWriter.h"
#include "PdfWriter.h"
#include "PpmReader.h"
#include "PsdWriter.h"
#include "WmfWriter.h"
#include "process/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara::tarvo {

namespace {

struct PictureWriter {
    OwnPictureFormat format;
    std::optional<Bytes> (*encode)(const RgbImage&);
    const char* name;
};

constexpr PictureWriter kWriters[] = {
    { OwnPictureFormat::Eps, EncodeEps, "EPS" },
    { OwnPictureFormat::Psd, EncodePsd, "PSD" },
    { OwnPictureFormat::Pdf, EncodePdf, "PDF" },
    { OwnPictureFormat::Wmf, EncodeWmf, "WMF" },
    { OwnPictureFormat::Emf, EncodeEmf, "EMF" },
};

std::string WriteFile(const std::string& path, const std::string& writeTo, const Bytes& contents)
{
    UniqueFd file(::open(writeTo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.IsOpen())
        return "cannot write '" + path + "': " + std::strerror(errno);
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t written = ::write(file.Get(), contents.data() + done, contents.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return "cannot write '" + path + "': " + std::strerror(errno);
        done += static_cast<std::size_t>(written);
    }
    if (const int error = file.Close(); error != 0) // a full disk may show only here
        return "cannot write '" + path + "': " + std::strerror(error);
    return {};
}

} // namespace

std::string WriteOwnPicture(
    OwnPictureFormat format, std::string_view ppm, const std::string& path, const std::string& writeTo)
{
    if (ppm.empty())
        return "no picture was decoded for '" + path + "' (is the start beyond the end of the input?)";
    const std::optional<RgbImage> image = ReadPpm(ppm);
    if (!image)
        return "the decoded picture for '" + path + "' is incomplete";
    for (const PictureWriter& writer : kWriters) {
        if (writer.format != format)
            continue;
        const std::optional<Bytes> contents = writer.encode(*image);
        if (!contents)
            return std::string("the picture is too large for ") + writer.name;
        return WriteFile(path, writeTo, *contents);
    }
    return "no writer for '" + path + "'";
}

} // namespace kelvara::tarvo
