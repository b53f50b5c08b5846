// The layout of the files our own writers make, where a forgiving reader
// would not notice a fault: sizes, offsets, record chains, the packing.
#include "EpsWriter.h"
#include "PackBits.h"
#include "PdfWriter.h"
#include "WmfWriter.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvara::tarvo;

namespace {

RgbImage PatternImage(int width, int height)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x < width / 2 ? 200 : 10));
            image.pixels.push_back(static_cast<std::uint8_t>(y * 7));
            image.pixels.push_back(static_cast<std::uint8_t>(x * 13 + y));
        }
    }
    return image;
}

std::uint32_t le32(const Bytes& data, std::size_t offset)
{
    return data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16
        | std::uint32_t(data[offset + 3]) << 24;
}

std::uint32_t le16(const Bytes& data, std::size_t offset)
{
    return data[offset] | data[offset + 1] << 8;
}

// PackBits as every reader undoes it.
Bytes unpack(const Bytes& packed, std::size_t& position, std::size_t wanted)
{
    Bytes out;
    while (out.size() < wanted && position < packed.size()) {
        const int header = static_cast<std::int8_t>(packed[position++]);
        if (header >= 0) {
            out.insert(out.end(), packed.begin() + position, packed.begin() + position + header + 1);
            position += header + 1;
        } else if (header != -128) {
            out.insert(out.end(), 1 - header, packed[position++]);
        }
    }
    return out;
}

std::string text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(PackBits, EveryRunAndLiteralLengthUnpacksToTheSameBytes)
{
    Bytes data;
    for (int run : { 1, 2, 3, 127, 128, 129, 300, 1, 1, 2 })
        data.insert(data.end(), run, static_cast<std::uint8_t>(data.size() * 31 + run));
    for (int i = 0; i < 400; ++i) // a literal longer than one packet
        data.push_back(static_cast<std::uint8_t>(i * 7919 % 251));

    Bytes packed;
    AppendPackBits(packed, data.data(), data.size());
    std::size_t position = 0;

    EXPECT_EQ(unpack(packed, position, data.size()), data);
    EXPECT_EQ(position, packed.size());
}

TEST(Ascii85, KnownTextAndNoLineThatPassesForAComment)
{
    Bytes out;
    AppendAscii85(out, Bytes { 'M', 'a', 'n', ' ', 'i', 's' }, 76);
    EXPECT_EQ(text(out), "9jqo^Bla~>");

    // 0x0D000000 encodes as "%" followed by four more digits.
    Bytes percent;
    for (int i = 0; i < 8; ++i)
        percent.insert(percent.end(), { 0x0D, 0, 0, 0 });
    Bytes lines;
    AppendAscii85(lines, percent, 5);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 || lines[i - 1] == '\n') {
            EXPECT_NE(lines[i], '%') << text(lines);
        }
    }
    EXPECT_NE(text(lines).find('%'), std::string::npos);
}

TEST(WmfWriter, ChecksumSizesAndRecordChainAreConsistent)
{
    const Bytes wmf = EncodeWmf(PatternImage(33, 17)).value();

    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(le16(wmf, i));
    EXPECT_EQ(checksum, le16(wmf, 20));
    EXPECT_EQ(le32(wmf, 22 + 6) * 2 + 22, wmf.size()); // size in words, after the placeable header

    std::size_t offset = 22 + 18;
    std::uint32_t largest = 0;
    std::uint32_t lastFunction = 1;
    while (offset < wmf.size()) {
        const std::uint32_t words = le32(wmf, offset);
        ASSERT_GE(words, 3u);
        largest = std::max(largest, words);
        lastFunction = le16(wmf, offset + 4);
        offset += words * 2;
    }
    EXPECT_EQ(offset, wmf.size());
    EXPECT_EQ(lastFunction, 0u); // META_EOF
    EXPECT_EQ(largest, le32(wmf, 22 + 12));
    EXPECT_FALSE(EncodeWmf(PatternImage(32768, 1)));
}

TEST(PdfWriter, CrossReferenceTablePointsAtEveryObject)
{
    const std::string pdf = text(EncodePdf(PatternImage(20, 10)).value());

    const std::size_t startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const std::size_t table = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
    for (int object = 1; object <= 5; ++object) {
        const std::size_t entry = table + 9 + object * 20; // "xref\n0 6\n", then 20 bytes each
        const std::size_t offset = std::stoul(pdf.substr(entry, 10));
        EXPECT_EQ(
            pdf.compare(offset, std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"), 0)
            << "object " << object;
    }
    EXPECT_NE(pdf.find("/MediaBox [0 0 20 10]"), std::string::npos);
}

} // namespace
