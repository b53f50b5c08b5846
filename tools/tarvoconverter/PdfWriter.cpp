#include "PdfWriter.h"

#include "PackBits.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kelvara::tarvo {

namespace {

class PdfBuilder {
public:
    PdfBuilder() { AppendText(m_out, "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"); }

    void AddObject(const std::string& body) { AddObject(body, nullptr); }

    void AddObject(const std::string& dictionary, const Bytes* stream)
    {
        m_offsets.push_back(m_out.size());
        AppendText(m_out, std::to_string(m_offsets.size()) + " 0 obj\n" + dictionary);
        if (stream) {
            AppendText(m_out, "\nstream\n");
            AppendBytes(m_out, *stream);
            AppendText(m_out, "\nendstream");
        }
        AppendText(m_out, "\nendobj\n");
    }

    Bytes finish()
    {
        const std::size_t tableOffset = m_out.size();
        AppendText(m_out, "xref\n0 " + std::to_string(m_offsets.size() + 1) + "\n");
        AppendText(m_out, "0000000000 65535 f \n");
        for (std::size_t offset : m_offsets) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            AppendText(m_out, entry);
        }
        AppendText(m_out,
            "trailer\n<< /Size " + std::to_string(m_offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
                + std::to_string(tableOffset) + "\n%%EOF\n");
        return std::move(m_out);
    }

private:
    Bytes m_out;
    std::vector<std::size_t> m_offsets;
};

} // namespace

std::optional<Bytes> EncodePdf(const RgbImage& image)
{
    const std::string w = std::to_string(image.width);
    const std::string h = std::to_string(image.height);

    Bytes pixels;
    pixels.reserve(image.pixels.size() + image.pixels.size() / 128 + 2);
    AppendPackBits(pixels, image.pixels.data(), image.pixels.size());
    pixels.push_back(kRunLengthEndOfData);
    Bytes drawing;
    AppendText(drawing, "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q");

    PdfBuilder pdf;
    pdf.AddObject("<< /Type /Catalog /Pages 2 0 R >>");
    pdf.AddObject("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    pdf.AddObject("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + w + " " + h
        + "] /Resources << /XObject << /Im0 4 0 R >> >> /Contents 5 0 R >>");
    pdf.AddObject("<< /Type /XObject /Subtype /Image /Width " + w + " /Height " + h
            + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /RunLengthDecode /Length "
            + std::to_string(pixels.size()) + " >>",
        &pixels);
    pdf.AddObject("<< /Length " + std::to_string(drawing.size()) + " >>", &drawing);
    return pdf.finish();
}

} // namespace kelvara::tarvo
