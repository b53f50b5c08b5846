#include "Sounds.h"

#include <QtEndian>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelvara::generator {

namespace {

constexpr int SampleRate = 22050;

void PutLe32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void PutLe16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

// A RIFF/WAVE file of 16-bit mono PCM.
QByteArray Wave(const std::vector<double>& samples)
{
    QByteArray out;
    const quint32 dataBytes = quint32(samples.size() * 2);
    out.append("RIFF");
    PutLe32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    PutLe32(out, 16);
    PutLe16(out, 1);
    PutLe16(out, 1);
    PutLe32(out, SampleRate);
    PutLe32(out, SampleRate * 2);
    PutLe16(out, 2);
    PutLe16(out, 16);
    out.append("data");
    PutLe32(out, dataBytes);
    for (double s : samples)
        PutLe16(out, quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
    return out;
}

// A bell-like note: a few inharmonic partials, each dying away at its own pace.
double Bell(double t, double frequency)
{
    constexpr double partials[][3]
        = { { 1.0, 1.0, 2.2 }, { 2.0, 0.45, 3.5 }, { 3.01, 0.22, 5.0 }, { 4.2, 0.1, 7.0 } };
    double v = 0;
    for (const auto& part : partials)
        v += part[1] * std::exp(-t * part[2]) * std::sin(2 * std::numbers::pi * frequency * part[0] * t);
    return v * std::min(1.0, t * 400.0); // a 2.5 ms attack avoids a click
}

} // namespace

QByteArray HoverClick()
{
    const int count = SampleRate * 45 / 1000;
    std::vector<double> samples(count);
    unsigned noise = 12345;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        noise = noise * 1103515245u + 12345u;
        const double grain = (double((noise >> 16) & 0x7FFF) / 16384.0 - 1.0) * std::exp(-t * 900);
        const double tone = std::sin(2 * std::numbers::pi * 1850 * t) * std::exp(-t * 140);
        samples[i] = 0.22 * tone + 0.05 * grain;
    }
    return Wave(samples);
}

QByteArray CompletionChime()
{
    // A rising major arpeggio that rings out together.
    constexpr double notes[][2] = { { 0.0, 659.26 }, { 0.14, 830.61 }, { 0.28, 987.77 }, { 0.42, 1318.51 } };
    const int count = int(SampleRate * 1.8);
    std::vector<double> samples(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        double v = 0;
        for (int n = 0; n < 4; ++n)
            if (t >= notes[n][0])
                v += Bell(t - notes[n][0], notes[n][1]) * (n == 3 ? 0.8 : 0.55);
        samples[i] = 0.28 * v * std::min(1.0, (1.8 - t) * 8.0);
    }
    return Wave(samples);
}

} // namespace kelvara::generator
