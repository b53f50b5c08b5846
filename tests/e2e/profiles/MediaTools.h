// Running programs and judging media files for the end-to-end tests: the
// programs get no standard input, their output is collected, and outputs are
// judged by ffprobe and ffmpeg.
#pragma once

#include "support/MediaMaker.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace kelvara::testing {

// The program as the converter finds it: in the tool directory, else in PATH.
std::string ToolProgram(const std::string& name);
bool ToolDirectoryHas(const std::string& name);

// A clip of `seconds` with a moving test picture and a tone, at 25 fps.
bool MakeSourceClip(const std::filesystem::path& path, double seconds, const std::string& size);

// ffprobe's view of a file (format, streams with counted frames) as flat
// keys such as "streams.stream.0.codec_name"; empty when ffprobe fails.
using ProbeFacts = std::map<std::string, std::string>;
ProbeFacts Probe(const std::filesystem::path& path);

// The first stream of `type` ("video", "audio") as keys without the prefix.
ProbeFacts StreamOf(const ProbeFacts& facts, const std::string& type);

double NumberOf(const ProbeFacts& facts, const std::string& key);

// A rate such as "30000/1001" as a number; 0 when it is not one.
double RateOf(const std::string& text);

// Decodes the whole file; the messages ffmpeg printed, empty when clean.
CommandResult DecodeToTheEnd(const std::filesystem::path& path);

} // namespace kelvara::testing
