#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "convert/conversion_log.h"
#include "convert/encoder_output.h"
#include "convert/failure_reason.h"
#include "convert/failure_wording.h"
#include "convert/run_outcomes.h"
#include "framework/utf8_text.h"

namespace {

std::string EncoderBytes(const char* name) {
  std::ifstream in(std::string(VM_SOURCE_DIR "/tests/data/encoder/") + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << name;
  return bytes.str();
}

// One file's run as the program reads it: the pipe's bytes in pieces of
// `chunk`, decoded as UTF-8, fed to both watches; the verdict of a failure.
FileVerdict Judged(const std::string& bytes, size_t chunk, unsigned long exitCode) {
  Utf8Decoder decoder;
  TellingLineWatch telling;
  FailureWatch failure;
  for (size_t at = 0; at < bytes.size(); at += chunk) {
    const std::string piece = bytes.substr(at, chunk);
    const std::u16string text = decoder.Decode(piece.data(), piece.size());
    telling.Feed(text);
    failure.Feed(text);
  }
  FileVerdict v;
  v.outcome = FileOutcome::Failed;
  v.reason = exitCode == 0 ? FailReason::NoOutput : FailReason::ExitCode;
  v.exited = true;
  v.exitCode = exitCode;
  v.tellingLine = telling.Line();
  v.cause = failure.Cause();
  return v;
}

}  // namespace

TEST(FailureWording, RealEncoderOutputsComeOutInPlainWordsThenTheEncodersLine) {
  const struct {
    const char* file;
    const char16_t* input;
    unsigned long exitCode;
    FailureKind kind;
    const char16_t* row;
  } cases[] = {
      {"incomplete_mp4.txt", u"C:\\Videos\\кадры\\出发.mp4", 1, FailureKind::Incomplete,
       u"出发.mp4 - Failed: the file is incomplete or damaged - moov atom not found (exit code 1)"},
      // The input's own path before the message is left out.
      {"invalid_data.txt", u"text.avi", 1, FailureKind::Incomplete,
       u"text.avi - Failed: the file is incomplete or damaged - Invalid data found when "
       u"processing input (exit code 1)"},
      {"empty_input.txt", u"empty.avi", 1, FailureKind::Incomplete,
       u"empty.avi - Failed: the file is incomplete or damaged - Invalid data found when "
       u"processing input (exit code 1)"},
      {"unknown_codec_mkv.txt", u"C:\\Videos\\unknown_codec.mkv", 1, FailureKind::UnknownCodec,
       u"unknown_codec.mkv - Failed: the encoder cannot decode its codec V_QUUX4/ISO/ASP - "
       u"Unknown/unsupported AVCodecID V_QUUX4/ISO/ASP. (exit code 1)"},
      {"audio_only_video_profile.txt", u"C:\\Videos\\tone.mp3", 1, FailureKind::NoVideo,
       u"tone.mp3 - Failed: it has no video stream, which this profile needs - Output file #0 "
       u"does not contain any stream (exit code 1)"},
      {"video_only_audio_profile.txt", u"C:\\Videos\\silent.avi", 1, FailureKind::NoAudio,
       u"silent.avi - Failed: it has no audio stream, which this profile needs - Output file #0 "
       u"does not contain any stream (exit code 1)"},
      // The encoder ends with 0 and leaves an empty file.
      {"disk_full.txt", u"C:\\Videos\\tone.mp3", 0, FailureKind::DiskFull,
       u"tone.mp3 - Failed: the disk is full - Error writing trailer of C:\\Full\\tone.mp3.mp3: No "
       u"space left on device (exit code 0)"},
      // A name in any script comes out whole.
      {"no_permission_output.txt", u"C:\\Videos\\кадры\\旋律.mp3", 1, FailureKind::Denied,
       u"旋律.mp3 - Failed: no permission to write the output - C:\\Locked\\旋律.mp3.mp3: "
       u"Permission denied (exit code 1)"},
      // Held by another program: the encoder says only that it was denied;
      // the program asks the system whether the file is in use (below).
      {"locked_input.txt", u"C:\\Videos\\busy.mp3", 1, FailureKind::Denied,
       u"busy.mp3 - Failed: no permission to read the file - Permission denied (exit code 1)"},
      {"permission_denied.txt", u"good.wav", 1, FailureKind::Denied,
       u"good.wav - Failed: no permission to write the output - adir.mp3: Permission denied "
       u"(exit code 1)"},
      // Not among the commonest: the encoder's line alone.
      {"unknown_encoder.txt", u"good.avi", 1, FailureKind::None,
       u"good.avi - Failed: Unknown encoder 'msmpeg4v1' (exit code 1)"},
      {"missing_folder.txt", u"good.wav", 1, FailureKind::None,
       u"good.wav - Failed: nodir/out.mp3: No such file or directory (exit code 1)"},
  };
  for (const auto& c : cases) {
    const std::string bytes = EncoderBytes(c.file);
    // However the pipe cut it, a character split between reads included.
    for (size_t chunk : {size_t(1), size_t(7), size_t(4095)}) {
      FileRecord record;
      record.input = c.input;
      record.verdict = Judged(bytes, chunk, c.exitCode);
      EXPECT_EQ(record.verdict.cause.kind, c.kind) << c.file << " in chunks of " << chunk;
      EXPECT_EQ(OutcomeRow(record, OutcomeTexts()), c.row) << c.file << " in chunks of " << chunk;
    }
  }
  // A successful run has no cause.
  EXPECT_EQ(Judged(EncoderBytes("success.txt"), 64, 0).cause.kind, FailureKind::None);
}

TEST(FailureWording, APackWordsTheCausesAndAHeldFileIsInUse) {
  OutcomeTexts german;
  german.failed = u"Fehlgeschlagen";
  german.exitCode = u"Exit-Code %1";
  german.failures = TranslatedTexts(
      FailureTextKeys(), {{u"9145-2", u"der Encoder kann ihren Codec %1 nicht dekodieren"},
                          {u"9145-7", u"die Datei wird von einem anderen Programm verwendet"}});
  FileVerdict v = Judged(EncoderBytes("unknown_codec_mkv.txt"), 4095, 1);
  EXPECT_EQ(OutcomeText(v, german),
            u"Fehlgeschlagen: der Encoder kann ihren Codec V_QUUX4/ISO/ASP nicht dekodieren - "
            u"Unknown/unsupported AVCodecID V_QUUX4/ISO/ASP. (Exit-Code 1)");

  // What the program finds out itself: the denied file is held by another.
  v = Judged(EncoderBytes("locked_input.txt"), 4095, 1);
  EXPECT_EQ(v.cause.path, u"C:\\Videos\\busy.mp3");
  v.cause.kind = FailureKind::InUse;
  EXPECT_EQ(OutcomeText(v, german, u"C:\\Videos\\busy.mp3"),
            u"Fehlgeschlagen: die Datei wird von einem anderen Programm verwendet - Permission "
            u"denied (Exit-Code 1)");

  // A codec the decoder line names; none named at all.
  FailureWatch named;
  named.Feed(u"Decoder (codec cavs) not found for input stream #0:0\n");
  EXPECT_EQ(FailureWords(named.Cause(), FailureTexts(), u"x"),
            u"the encoder cannot decode its codec cavs");
  FailureWatch unnamed;
  unnamed.Feed(u"Decoder (codec none) not found for input stream #0:0\n");
  EXPECT_EQ(FailureWords(unnamed.Cause(), FailureTexts(), u"x"),
            u"the encoder cannot decode one of its codecs");
}

TEST(FailureWording, TheInputsPathIsLeftOutInEitherForm) {
  const std::u16string folder = u"C:\\" + std::u16string(250, u'd');
  const std::u16string input = folder + u"\\clip.avi";
  // A path past the plain length reaches the encoder in its extended form.
  EXPECT_EQ(EncoderLineShown(u"\\\\?\\" + input + u": Invalid data found", input),
            u"Invalid data found");
  EXPECT_EQ(EncoderLineShown(input + u": Invalid data found", u"\\\\?\\" + input),
            u"Invalid data found");
  // Only the input's own path, and only before the message.
  EXPECT_EQ(EncoderLineShown(u"C:\\o\\clip.avi: Permission denied", u"C:\\v\\clip.avi"),
            u"C:\\o\\clip.avi: Permission denied");
  EXPECT_EQ(EncoderLineShown(u"Error opening C:\\v\\a.avi: x", u"C:\\v\\a.avi"),
            u"Error opening C:\\v\\a.avi: x");
  EXPECT_EQ(EncoderLineShown(u"[avi @ 00000000001] bad header", u"C:\\v\\a.avi"), u"bad header");
  EXPECT_EQ(EncoderLineShown(u"[not a context] text", u"a"), u"[not a context] text");
}

TEST(Utf8Text, CharactersCutBetweenReadsComeOutWhole) {
  // "Ж" (2 bytes), "出" (3 bytes), U+1F3AC (4 bytes), cut at every byte.
  const std::string bytes = "a\xD0\x96\xE5\x87\xBA\xF0\x9F\x8E\xAC";
  Utf8Decoder decoder;
  std::u16string text;
  for (char c : bytes) text += decoder.Decode(&c, 1);
  EXPECT_EQ(text, u"aЖ出\U0001F3AC");
  EXPECT_EQ(decoder.Finish(), u"");

  // Bytes that are not UTF-8 become one U+FFFD each; the text goes on.
  EXPECT_EQ(Utf8ToText("\xFF"
                       "a\xC3(b\xE5\x87"),
            u"\uFFFDa\uFFFD(b\uFFFD\uFFFD");
  // Overlong forms and surrogates are not characters.
  EXPECT_EQ(Utf8ToText("\xC0\xAF\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(FailureWording, ReasonsReadTheEncodersUtf8WhileTheLogKeepsItsOwnText) {
  const std::string bytes = EncoderBytes("no_permission_output.txt");
  // The system's code page stands in as one character per byte, as the log
  // has always taken the encoder's output.
  std::u16string ansi;
  for (unsigned char b : bytes) ansi += char16_t(b);
  EncoderOutput output;
  std::u16string logged;
  for (size_t at = 0; at < bytes.size(); at += 5) {
    const std::string piece = bytes.substr(at, 5);
    output.Add(ansi.substr(at, 5));
    output.Said(piece.data(), piece.size());
    logged += output.Take(at).text;
  }
  EXPECT_EQ(output.TellingLine(), u"C:\\Locked\\旋律.mp3.mp3: Permission denied");
  EXPECT_EQ(output.Cause().kind, FailureKind::Denied);
  EXPECT_EQ(output.Cause().path, u"C:\\Locked\\旋律.mp3.mp3");
  // What the log keeps is what it kept before, and saved it gives the
  // encoder's bytes back as they were.
  EXPECT_EQ(logged, ansi);
  const std::string saved = SavedLogBytes({logged});
  EXPECT_NE(saved.find(bytes.substr(bytes.find("C:\\Locked"), 30)), std::string::npos);
}
