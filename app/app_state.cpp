#include "app/app_state.h"

#include "framework/archive.h"

std::u16string DirectoryOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

void SetDefaults(APP_STATE& s, const std::u16string& exePath) {
  s = APP_STATE();
  s.g_strOutputFolder = u"C:\\";
  s.g_bUseTempFolder = 1;
  s.g_bConvertAndBurn = 1;
  s.g_nBurnSpeed = -1;
  s.g_nBurner = -1;
  s.g_strDiscVolume = u"MyDVD";
  s.g_bEject = 1;
  s.g_strAppDir = DirectoryOf(exePath);
  s.g_strLangFile = s.g_strAppDir + u"mlg.txt";
}

void SerializeSettings(Archive& ar, APP_STATE& s) {
  ar.Serialize(s.g_nAudioFormat)
      .Serialize(s.g_strOutputFolder)
      .Serialize(s.g_nTaskMode)
      .Serialize(s.g_nProfilePos)
      .Serialize(s.g_bConvertAndBurn)
      .Serialize(s.g_strDiscVolume)
      .Serialize(s.g_nBurner)
      .Serialize(s.g_nBurnSpeed)
      .Serialize(s.g_bSameAsSource)
      .Serialize(s.g_bUseTempFolder)
      .Serialize(s.g_bOverwrite)
      .Serialize(s.g_bEject)
      .Serialize(s.g_bDeleteTemp)
      .Serialize(s.g_bOpc)
      .Serialize(s.g_bUseOriginal)
      .Serialize(s.g_nPosSize)
      .Serialize(s.g_nPosFrameRate)
      .Serialize(s.g_nPosAudioBitrate)
      .Serialize(s.g_nPosVideoBitrate)
      .Serialize(s.g_nPosVideoCodec)
      .Serialize(s.g_nPosAudioCodec)
      .Serialize(s.g_nPosSampleRate)
      .Serialize(s.g_nPosChannels)
      .Serialize(s.g_nTask3gp)
      .Serialize(s.g_nTaskMp4)
      .Serialize(s.g_nTaskPsp)
      .Serialize(s.g_nTaskAvi);
}
