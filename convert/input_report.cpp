#include "convert/input_report.h"

#include <cstdlib>
#include <vector>

namespace {

// Numbers beyond these are not believed.
constexpr double kMaxSeconds = 1e7;
constexpr int kMaxSide = 1 << 16;
constexpr int kMaxTracks = 1 << 12;

bool Begins(const std::string& text, size_t at, const char* start) {
  return text.compare(at, std::char_traits<char>::length(start), start) == 0;
}

bool Has(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The comma-separated parts of a stream's description, commas inside
// brackets left alone: "hevc (Main 10) (hev1 / 0x31766568)", "yuv420p10le(tv, ...)".
std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  int depth = 0;
  for (char c : text) {
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth > 0) --depth;
    if (c == ',' && depth == 0) {
      parts.push_back(Trimmed(part));
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(Trimmed(part));
  return parts;
}

// A number at the start of the text; false when there is none.
bool LeadingNumber(const std::string& text, double& value) {
  if (text.empty() || !(text[0] >= '0' && text[0] <= '9')) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || !(value >= 0 && value < 1e9)) return false;
  if (*end == 'k') value *= 1000;
  return true;
}

// "00:01:02.50" in seconds; 0 for "N/A" or anything else.
double ClockSeconds(const std::string& text) {
  int hours = 0, minutes = 0;
  double seconds = 0;
  size_t at = 0;
  auto digits = [&](int& value, size_t most) {
    size_t n = 0;
    value = 0;
    while (at < text.size() && n < most && text[at] >= '0' && text[at] <= '9')
      value = value * 10 + (text[at++] - '0'), ++n;
    return n > 0;
  };
  if (!digits(hours, 7) || at >= text.size() || text[at++] != ':') return 0;
  if (!digits(minutes, 2) || at >= text.size() || text[at++] != ':') return 0;
  if (!LeadingNumber(text.substr(at), seconds) || seconds >= 60) return 0;
  const double total = hours * 3600.0 + minutes * 60.0 + seconds;
  return total < kMaxSeconds ? total : 0;
}

int Channels(const std::string& layout) {
  static const struct {
    const char* name;
    int channels;
  } kLayouts[] = {{"mono", 1}, {"stereo", 2}, {"downmix", 2}, {"2.1", 3}, {"3.0", 3},
                  {"quad", 4}, {"4.0", 4},    {"4.1", 5},     {"5.0", 5}, {"5.1", 6},
                  {"6.0", 6},  {"6.1", 7},    {"7.0", 7},     {"7.1", 8}, {"hexadecagonal", 16}};
  for (const auto& known : kLayouts)
    if (Begins(layout, 0, known.name)) return known.channels;
  double count = 0;
  if (LeadingNumber(layout, count) && Has(layout, "channels") && count <= 64) return int(count);
  return 0;
}

// "yuv420p10le(tv, bt2020nc/bt2020/smpte2084, progressive)": the format, and
// the matrix, primaries and transfer when told (one name stands for all three).
void ReadPixelFormat(const std::string& part, InputDetails& details) {
  const size_t open = part.find('(');
  details.pixelFormat = part.substr(0, open);
  PixelFormatLayout(details.pixelFormat, details.bitDepth, details.chromaWidthShift,
                    details.chromaHeightShift);
  if (open == std::string::npos) return;
  for (const std::string& inner : Parts(part.substr(open + 1, part.rfind(')') - open - 1))) {
    // The range and the field order are the other parts.
    if (inner.empty() || inner == "tv" || inner == "pc" || inner == "progressive" ||
        Has(inner, "first"))
      continue;
    std::string names[3];
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
      const size_t slash = inner.find('/', at);
      names[i] = inner.substr(at, slash == std::string::npos ? std::string::npos : slash - at);
      if (slash == std::string::npos) {
        for (int j = i + 1; j < 3; ++j) names[j] = names[i];
        break;
      }
      at = slash + 1;
    }
    details.colourMatrix = names[0];
    details.colourPrimaries = names[1];
    if (names[2] == "smpte2084")
      details.transfer = ColourTransfer::Pq;
    else if (names[2] == "arib-std-b67")
      details.transfer = ColourTransfer::Hlg;
    return;
  }
}

void ReadVideo(const std::vector<std::string>& parts, InputDetails& details) {
  details.videoCodec = parts[0].substr(0, parts[0].find(' '));
  if (parts.size() > 1) ReadPixelFormat(parts[1], details);
  double tbr = 0;
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    const size_t x = part.find('x');
    double value = 0;
    if (details.width == 0 && x != std::string::npos && x > 0 && LeadingNumber(part, value)) {
      double height = 0;
      if (LeadingNumber(part.substr(x + 1), height) && value >= 1 && value < kMaxSide &&
          height >= 1 && height < kMaxSide) {
        details.width = int(value);
        details.height = int(height);
      }
    } else if (part.size() > 4 && part.compare(part.size() - 4, 4, " fps") == 0 &&
               LeadingNumber(part, value)) {
      details.frameRate = value;
    } else if (part.size() > 4 && part.compare(part.size() - 4, 4, " tbr") == 0 &&
               LeadingNumber(part, value)) {
      tbr = value;
    } else if (LeadingNumber(part, value) && Has(part, " tbn")) {  // "12800 tbn (default)"
      details.timeBaseRate = value;
    }
  }
  if (details.frameRate == 0) details.frameRate = tbr;
}

void ReadStream(const std::string& line, InputDetails& details) {
  static const char* const kKinds[] = {": Video: ", ": Audio: ", ": Subtitle: "};
  for (int kind = 0; kind < 3; ++kind) {
    const size_t at = line.find(kKinds[kind]);
    if (at == std::string::npos) continue;
    const std::vector<std::string> parts =
        Parts(line.substr(at + std::char_traits<char>::length(kKinds[kind])));
    if (kind == 0) {
      // A cover picture is no video to convert.
      if (Has(line, "(attached pic)")) return;
      if (details.videoTracks < kMaxTracks && details.videoTracks++ == 0) {
        details.hasVideo = true;
        ReadVideo(parts, details);
      }
    } else if (kind == 1) {
      if (details.audioTracks < kMaxTracks && details.audioTracks++ == 0) {
        details.hasAudio = true;
        details.audioCodec = parts[0].substr(0, parts[0].find(' '));
        if (parts.size() > 2) details.audioChannels = Channels(parts[2]);
      }
    } else if (details.subtitleTracks < kMaxTracks) {
      ++details.subtitleTracks;
    }
    return;
  }
}

}  // namespace

bool PixelFormatLayout(const std::string& name, int& bitDepth, int& widthShift, int& heightShift) {
  static const struct {
    const char* prefix;
    int depth, width, height;
  } kPlanar[] = {{"nv12", 8, 1, 1},    {"nv21", 8, 1, 1},    {"nv16", 8, 1, 0},
                 {"nv24", 8, 0, 0},    {"p010", 10, 1, 1},   {"p012", 12, 1, 1},
                 {"p016", 16, 1, 1},   {"p210", 10, 1, 0},   {"p216", 16, 1, 0},
                 {"p410", 10, 0, 0},   {"p416", 16, 0, 0},   {"yuyv422", 8, 1, 0},
                 {"uyvy422", 8, 1, 0}, {"yvyu422", 8, 1, 0}, {"y210", 10, 1, 0}};
  for (const auto& known : kPlanar)
    if (name == known.prefix ||
        (Begins(name, 0, known.prefix) &&
         (Begins(name, std::char_traits<char>::length(known.prefix), "le") ||
          Begins(name, std::char_traits<char>::length(known.prefix), "be")))) {
      bitDepth = known.depth;
      widthShift = known.width;
      heightShift = known.height;
      return true;
    }
  size_t at = 0;
  int width = 0, height = 0;
  if (Begins(name, 0, "yuv")) {
    at = 3;
    if (Begins(name, at, "j")) ++at;
    if (Begins(name, at, "a")) ++at;
    static const struct {
      const char* name;
      int width, height;
    } kSampling[] = {{"420p", 1, 1}, {"422p", 1, 0}, {"444p", 0, 0},
                     {"440p", 0, 1}, {"411p", 2, 0}, {"410p", 2, 1}};
    bool found = false;
    for (const auto& s : kSampling)
      if (Begins(name, at, s.name)) {
        width = s.width;
        height = s.height;
        at += 4;
        found = true;
        break;
      }
    if (!found) return false;
  } else if (Begins(name, 0, "gbrap") || Begins(name, 0, "gray")) {
    at = Begins(name, 0, "gbrap") ? 5 : 4;
  } else if (Begins(name, 0, "gbrp")) {
    at = 4;
  } else if (Begins(name, 0, "rgb") || Begins(name, 0, "bgr") || Begins(name, 0, "argb") ||
             Begins(name, 0, "abgr") || Begins(name, 0, "rgba") || Begins(name, 0, "bgra") ||
             Begins(name, 0, "0rgb") || Begins(name, 0, "rgb0") || Begins(name, 0, "bgr0") ||
             Begins(name, 0, "0bgr") || name == "pal8") {
    // Packed RGB: 8 bits a component unless its name says 48 or 64 bits a pixel.
    bitDepth = Has(name, "48") || Has(name, "64") ? 16 : 8;
    widthShift = heightShift = 0;
    return true;
  } else {
    return false;
  }
  int depth = 0;
  while (at < name.size() && name[at] >= '0' && name[at] <= '9' && depth < 10)
    depth = depth * 10 + (name[at++] - '0');
  const std::string rest = name.substr(at);
  if (!rest.empty() && rest != "le" && rest != "be") return false;
  bitDepth = depth == 0 ? 8 : depth;
  widthShift = width;
  heightShift = height;
  return true;
}

InputDetails ReadInputReport(const std::string& report) {
  InputDetails details;
  details.probed = true;
  bool inInput = false;
  bool opened = false;
  std::string lastLine;
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find_first_of("\r\n", start);
    if (end == std::string::npos) end = report.size();
    const std::string line = report.substr(start, end - start);
    start = end + 1;
    if (Begins(line, 0, "Input #")) {
      // Only the first input counts; there is never another.
      inInput = !opened;
      opened = true;
      continue;
    }
    if (!inInput) {
      // The reader was given no output; saying so tells nothing of the file.
      if (!Trimmed(line).empty() && !Has(line, "output file must be specified")) lastLine = line;
      if (Has(line, "No such file or directory"))
        details.problem = InputProblem::Missing;
      else if (Has(line, "Permission denied"))
        details.problem = InputProblem::Denied;
      continue;
    }
    const std::string content = Trimmed(line);
    if (Begins(content, 0, "Duration: "))
      details.durationSeconds = ClockSeconds(content.substr(10));
    else if (Begins(content, 0, "Stream #"))
      ReadStream(content, details);
    else if (!line.empty() && line[0] != ' ')
      inInput = false;
  }
  details.readable = opened && (details.hasVideo || details.hasAudio);
  if (details.readable)
    details.problem = InputProblem::None;
  else if (opened)
    details.problem = InputProblem::NoStreams;
  else if (details.problem == InputProblem::None)
    details.problem = InputProblem::NotMedia;
  if (!details.readable) details.tellingLine = lastLine;
  return details;
}
