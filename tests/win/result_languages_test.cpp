// The result page and the converting page's after-run choice through the real
// program in each of the five languages: files added with a folder named by
// their path below it, a name in another script whole, failures in the
// pack's plain words with the real encoder's line (replayed by the stand-in
// from the captures in tests/data/encoder), sizes as the language writes
// them, and the choice used once. Keeps a screenshot of both pages per
// language in build/test-logs for a person to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

// The pop-up menu the process shows, or null.
HWND VisibleMenu(DWORD pid) {
  struct Find {
    DWORD pid;
    HWND found;
  } find = {pid, nullptr};
  ::EnumWindows(
      [](HWND h, LPARAM param) -> BOOL {
        Find& f = *reinterpret_cast<Find*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        wchar_t name[32] = L"";
        ::GetClassNameW(h, name, 32);
        const std::wstring cls(name);
        if (owner == f.pid && ::IsWindowVisible(h) &&
            (cls == L"SkinManagerMenu" || cls == L"#32768"))
          f.found = h;
        return f.found == nullptr;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// A path of the source tree as Wine's drive Z: shows it.
std::wstring SourcePath(const char* below) {
  std::wstring path = L"Z:" + WideOf(VM_SOURCE_DIR) + L"/" + WideOf(below);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// The stand-in's script that prints a real encoder's capture and fails.
std::string Replay(const char* capture) {
  const std::wstring path = SourcePath("tests/data/encoder/") + WideOf(capture);
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size_t(n > 0 ? n - 1 : 0), '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, &utf8[0], n, nullptr, nullptr);
  return "replay " + utf8 + "\nexit 1\n";
}

// The row of `rows` that names `name`, or empty.
std::wstring RowOf(const std::vector<std::wstring>& rows, const std::wstring& name) {
  for (const std::wstring& row : rows)
    if (row.compare(0, name.size() + 3, name + L" - ") == 0) return row;
  return std::wstring();
}

struct Language {
  const wchar_t* name;
  const char* size;        // of a 1.2 MB output
  const char* incomplete;  // the plain words of an incomplete file
  const char* noVideo;     // and of an input without the video the profile needs
  const char* nothing;     // the after-run choice's first row
  const char* sound;
};

const Language kLanguages[] = {
    {L"en", "1.2 MB", "the file is incomplete or damaged",
     "it has no video stream, which this profile needs", "Do nothing", "Play a sound"},
    {L"de", "1,2 MB", "die Datei ist unvollständig oder beschädigt",
     "sie hat keine Videospur, die dieses Profil braucht", "Nichts tun", "Ton abspielen"},
    {L"fr", "1,2 Mo", "le fichier est incomplet ou endommagé",
     "il n'a pas de flux vidéo, nécessaire à ce profil", "Ne rien faire", "Jouer un son"},
    {L"es", "1,2 MB", "el archivo está incompleto o dañado",
     "no tiene pista de vídeo, que este perfil necesita", "No hacer nada", "Reproducir un sonido"},
    {L"zh", "1.2 MB", "文件不完整或已损坏", "文件没有此配置所需的视频流", "不执行任何操作",
     "播放提示音"},
};

}  // namespace

TEST(ResultLanguages, FolderRowsPlainReasonsAndTheAfterRunChoiceInEveryLanguage) {
  for (int index = 0; index < 5; ++index) {
    const Language& lang = kLanguages[index];
    SCOPED_TRACE(lang.name);
    ConvertDriver d;
    ASSERT_TRUE(InstallLanguageFile(d.dir.Path(), index));
    // Inputs on drive C directly, where the chooser's tree shows them.
    ScratchDir tree(L"C:\\");
    const std::wstring release = d.dir.Path() + L"release";
    const std::string held = "wait " + std::string(release.begin(), release.end()) + "\n";
    // Each input's script: a size to write, or a real encoder's capture to replay.
    const struct {
      std::wstring path;
      std::string script;
    } files[] = {
        {L"Clips\\A\\hold.avi", held + "file 2048 $OUT\n"},
        {L"Clips\\B\\C\\deep.avi", "file 1258291 $OUT\n"},
        {L"Clips\\x\\clip.avi", "file 860160 $OUT\n"},
        {L"Clips\\y\\clip.avi", Replay("incomplete_mp4.txt")},
        {L"Clips\\" + WideOf("кадры\\出发.avi"), Replay("no_permission_output.txt")},
        {L"Clips\\" + WideOf("кадры\\旋律.avi"), Replay("audio_only_video_profile.txt")},
    };
    for (const auto& f : files) {
      for (size_t at = f.path.find(L'\\'); at != std::wstring::npos;
           at = f.path.find(L'\\', at + 1))
        ::CreateDirectoryW((tree.Path() + f.path.substr(0, at)).c_str(), nullptr);
      ASSERT_TRUE(
          WriteBytes(tree.Path() + f.path, std::vector<uint8_t>(f.script.begin(), f.script.end())));
    }

    // "Play a sound" chosen before: used by this run, then back to nothing.
    ASSERT_TRUE(d.Start([](APP_STATE& s) { s.g_runSettings.whenDone = WhenDone::Sound; }));
    ASSERT_NE(d.FoldersToOutputPage({tree.Path() + L"Clips"}, std::size(files)), nullptr);
    HWND converting = d.StartRun();
    ASSERT_NE(converting, nullptr);
    HWND choice = ::GetDlgItem(converting, IDC_CONV_WHEN_DONE);
    EXPECT_EQ(ComboRows(choice).size(), 4u);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(choice) == WideOf(lang.sound); }))
        << WindowText(choice);
    // The page has shown the held file before its picture is kept.
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowText(::GetDlgItem(converting, IDC_CONV_FILE_NAME)) == L"hold.avi"; }));
    EXPECT_TRUE(SaveShot(d.main, L"when_done_" + std::wstring(lang.name) + L".bmp"));
    ASSERT_TRUE(WriteBytes(release, {}));

    HWND result = d.WaitForPage(IDC_RES_TOTAL, 60000);
    ASSERT_NE(result, nullptr);
    std::vector<std::wstring> rows;
    WaitUntil([&] { return (rows = ListRows(::GetDlgItem(result, IDC_RES_FILES))).size() == 6; });
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_NE(RowOf(rows, L"B\\C\\deep.avi").find(WideOf(lang.size)), std::wstring::npos)
        << rows[1];
    // Two files of one name, told apart by their folders.
    EXPECT_FALSE(RowOf(rows, L"x\\clip.avi").empty());
    const std::wstring y = RowOf(rows, L"y\\clip.avi");
    EXPECT_NE(y.find(WideOf(lang.incomplete) + L" - moov atom not found"), std::wstring::npos) << y;
    // The encoder's UTF-8 comes out whole, names in other scripts included.
    const std::wstring denied = RowOf(rows, WideOf("кадры\\出发.avi"));
    EXPECT_NE(denied.find(WideOf("C:\\Locked\\旋律.mp3.mp3: Permission denied")),
              std::wstring::npos)
        << denied;
    const std::wstring audio = RowOf(rows, WideOf("кадры\\旋律.avi"));
    EXPECT_NE(audio.find(WideOf(lang.noVideo)), std::wstring::npos) << audio;

    // Used once: the box and the file are back to doing nothing.
    EXPECT_EQ(WindowText(choice), WideOf(lang.nothing));
    const std::vector<uint8_t> ini = ReadBytes(d.dir.Path() + L"Vidmorph.ini");
    EXPECT_EQ(std::string(ini.begin(), ini.end()).find("WhenDone"), std::string::npos);
    EXPECT_TRUE(SaveShot(d.main, L"result_" + std::wstring(lang.name) + L".bmp"));

    // The first row's menu: its whole path, then what can be done with it.
    RECT list;
    ::GetWindowRect(::GetDlgItem(result, IDC_RES_FILES), &list);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, list.left + 30, list.top + 8);
    SendMouse(MOUSEEVENTF_RIGHTUP, list.left + 30, list.top + 8);
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (menu = VisibleMenu(d.prog->Pid())) != nullptr; }));
    if (menu) {
      EXPECT_TRUE(SaveShot(d.main, L"result_menu_" + std::wstring(lang.name) + L".bmp"));
      SendKeys({VK_ESCAPE});
      EXPECT_TRUE(WaitUntil([&] { return VisibleMenu(d.prog->Pid()) == nullptr; }));
    }
    d.prog.reset();
  }
}
