#include "PdfWriter.h"

#include "PackBits.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tarvo {

namespace {

class PdfBuilder {
public:
    PdfBuilder() { appendText(m_out, "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"); }

    void addObject(const std::string& body) { addObject(body, nullptr); }

    void addObject(const std::string& dictionary, const Bytes* stream)
    {
        m_offsets.push_back(m_out.size());
        appendText(m_out, std::to_string(m_offsets.size()) + " 0 obj\n" + dictionary);
        if (stream) {
            appendText(m_out, "\nstream\n");
            appendBytes(m_out, *stream);
            appendText(m_out, "\nendstream");
        }
        appendText(m_out, "\nendobj\n");
    }

    Bytes finish()
    {
        const std::size_t tableOffset = m_out.size();
        appendText(m_out, "xref\n0 " + std::to_string(m_offsets.size() + 1) + "\n");
        appendText(m_out, "0000000000 65535 f \n");
        for (std::size_t offset : m_offsets) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            appendText(m_out, entry);
        }
        appendText(m_out,
            "trailer\n<< /Size " + std::to_string(m_offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
                + std::to_string(tableOffset) + "\n%%EOF\n");
        return std::move(m_out);
    }

private:
    Bytes m_out;
    std::vector<std::size_t> m_offsets;
};

} // namespace

std::optional<Bytes> encodePdf(const RgbImage& image)
{
    const std::string w = std::to_string(image.width);
    const std::string h = std::to_string(image.height);

    Bytes pixels;
    pixels.reserve(image.pixels.size() + image.pixels.size() / 128 + 2);
    appendPackBits(pixels, image.pixels.data(), image.pixels.size());
    pixels.push_back(kRunLengthEndOfData);
    Bytes drawing;
    appendText(drawing, "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q");

    PdfBuilder pdf;
    pdf.addObject("<< /Type /Catalog /Pages 2 0 R >>");
    pdf.addObject("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    pdf.addObject("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + w + " " + h
        + "] /Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R >>");
    pdf.addObject("<< /Type /XObject /Subtype /Image /Width " + w + " /Height " + h
            + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /RunLengthDecode /Length "
            + std::to_string(pixels.size()) + " >>",
        &pixels);
    pdf.addObject("<< /Length " + std::to_string(drawing.size()) + " >>", &drawing);
    return pdf.finish();
}

} // namespace tarvo
