#include "profiles/output_page_rules.h"

#include "profiles/command_line.h"

std::vector<int> ProfilesForTask(int task) {
  if (task == 2) return {0, 1, 2};
  std::vector<int> kept;
  // Catalogue order puts each kind's later profiles at the end of its list,
  // so a stored position picks the profile it always did.
  for (int p = 0; p < kProfileCount; ++p)
    if ((task != 0 || !IsAudioProfile(p)) && (task != 1 || IsAudioProfile(p))) kept.push_back(p);
  return kept;
}

std::u16string ProfileItemText(int profile) {
  const OUTPUT_PROFILE& p = Profile(profile);
  return std::u16string(p.szName) + u"(" + p.szExt + u")";
}

std::vector<OptionItem> OptionItems(int profile, OptionKind kind) {
  const OPTION_LIST& list = OptionList(profile, kind);
  std::vector<OptionItem> items;
  for (int i = 0; i < list.nCount; ++i)
    items.push_back({OptionRow(kind, list.anRows[i]).szLabel, list.anRows[i]});
  return items;
}

int ProfilePosition(int stored, int count) {
  if (count <= 0) return -1;
  return stored >= 0 && stored < count ? stored : 0;
}

int OptionRowAt(int profile, OptionKind kind, int position) {
  const OPTION_LIST& list = OptionList(profile, kind);
  return position >= 0 && position < list.nCount ? list.anRows[position] : -1;
}

void ChosenJob(const OUTPUT_SETTINGS& s, int task, CONVERT_JOB& job) {
  const std::vector<int> profiles = ProfilesForTask(task);
  const int position = ProfilePosition(s.g_nProfilePos, int(profiles.size()));
  job.nProfile = position < 0 ? 0 : profiles[size_t(position)];
  job.bUseOriginal = s.g_bUseOriginal != 0;
  for (OptionKind kind : kAllOptionKinds)
    JobRow(job, kind) = OptionRowAt(job.nProfile, kind, SavedPosition(s, kind));
}

int32_t& SavedPosition(OUTPUT_SETTINGS& s, OptionKind kind) {
  switch (kind) {
    case OptionKind::Size:
      return s.g_nPosSize;
    case OptionKind::FrameRate:
      return s.g_nPosFrameRate;
    case OptionKind::AudioBitrate:
      return s.g_nPosAudioBitrate;
    case OptionKind::VideoBitrate:
      return s.g_nPosVideoBitrate;
    case OptionKind::VideoCodec:
      return s.g_nPosVideoCodec;
    case OptionKind::AudioCodec:
      return s.g_nPosAudioCodec;
    case OptionKind::SampleRate:
      return s.g_nPosSampleRate;
    case OptionKind::Channels:
      break;
  }
  return s.g_nPosChannels;
}

int32_t SavedPosition(const OUTPUT_SETTINGS& s, OptionKind kind) {
  return SavedPosition(const_cast<OUTPUT_SETTINGS&>(s), kind);
}

std::u16string FolderWithBackslash(const std::u16string& folder) {
  if (!folder.empty() && folder.back() == u'\\') return folder;
  return folder + u'\\';
}

std::u16string StoredFolder(const std::u16string& text) {
  return text.empty() ? std::u16string(u"C:\\") : text;
}
