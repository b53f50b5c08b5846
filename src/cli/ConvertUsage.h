// What `kelvara --convert --help` prints.
#pragma once

namespace kelvara::cli {

inline constexpr const char* kConvertUsage
    = "Usage: kelvara --convert --kind KIND [OPTION...] FILE...\n"
      "       kelvara --convert --list\n"
      "Converts the files as the window's batch does, without a window: same\n"
      "converters, profiles and output names. Needs no display and no session bus.\n"
      "\n"
      "  --kind KIND         the output kind: avi, mpeg, image, mp4, mkv, webm, av1,\n"
      "                      psp, xbox360, pocketpc, pmp, phone, tv, web, mp3, wma,\n"
      "                      wav, mp2, ac3, flac, opus, aac, ogg, alac; an MPEG type\n"
      "                      (vcd-pal, dvd-ntsc, ...) names the kind mpeg with it\n"
      "  --mpeg-type TYPE    mpeg: the type, as the window lists it (\"DVD PAL\")\n"
      "  --picture TYPE      image: gif-animation (default), gif, bmp, jpg, png, ...\n"
      "  --bitrate KBITS     audio kinds: auto or a bitrate of the window's list\n"
      "  --rate HZ           audio kinds: same or a sample rate of the window's list\n"
      "  --profile N         device and video kinds: the profile at position N of\n"
      "                      the panel's list (--list shows them)\n"
      "  --out DIR           the output folder (made when missing); default: the\n"
      "                      folder the window uses\n"
      "  --trim START-END    convert only this part of every file (HH:MM:SS[.mmm])\n"
      "  --jobs N|auto       files converted at once (default auto)\n"
      "  --list              the kinds, their choices and profiles\n"
      "  --help              this text\n"
      "  --                  ends the options\n"
      "\n"
      "Progress goes to standard error. Exit status: 0 all converted, 1 a file\n"
      "failed (its reason is printed), 2 a usage error, 128+N after signal N\n"
      "(130 after Ctrl+C: the batch stops as STOP stops it).\n";

} // namespace kelvara::cli
