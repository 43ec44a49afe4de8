#include "cmd/arguments.h"

#include "app/input_files.h"
#include "app/run_settings.h"

namespace {

const char16_t* const kOptionNames[kOptionKindCount] = {
    u"--size",        u"--frame-rate",  u"--audio-bitrate", u"--video-bitrate",
    u"--video-codec", u"--audio-codec", u"--sample-rate",   u"--channels"};

bool SameNoCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldedLetter(a[i]) != FoldedLetter(b[i])) return false;
  return true;
}

bool EndsWithNoCase(const std::u16string& text, const std::u16string& tail) {
  return text.size() >= tail.size() && SameNoCase(text.substr(text.size() - tail.size()), tail);
}

std::u16string Quoted(const std::u16string& text) {
  return u"\"" + text + u"\"";
}

bool ParseJobs(const std::u16string& text, int& jobs) {
  if (SameNoCase(text, u"auto")) {
    jobs = kSimultaneousAutomatic;
    return true;
  }
  if (text.empty() || text.size() > 2) return false;
  int n = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    n = n * 10 + (c - u'0');
  }
  if (n < 1 || n > kMostSimultaneous) return false;
  jobs = n;
  return true;
}

class Reader {
 public:
  Reader(const std::vector<std::u16string>& args, CMD_ARGUMENTS& out, std::u16string& error)
      : m_args(args), m_out(out), m_error(error) {}

  bool Read() {
    bool optionsEnded = false;
    for (m_next = 0; m_next < m_args.size();) {
      const std::u16string arg = m_args[m_next++];
      if (!optionsEnded && arg == u"/?") {
        if (!Flag(arg, m_out.help)) return false;
        continue;
      }
      if (optionsEnded || arg.size() < 2 || arg[0] != u'-') {
        m_out.inputs.push_back(arg);
        continue;
      }
      if (arg == u"--") {
        optionsEnded = true;
        continue;
      }
      std::u16string name = arg;
      m_inlineValue.clear();
      m_hasInlineValue = false;
      const size_t equals = arg.find(u'=');
      if (arg.compare(0, 2, u"--") == 0 && equals != std::u16string::npos) {
        name = arg.substr(0, equals);
        m_inlineValue = arg.substr(equals + 1);
        m_hasInlineValue = true;
      }
      if (!Option(name)) return false;
    }
    return Conflicts();
  }

 private:
  bool Fail(const std::u16string& text) {
    m_error = text;
    return false;
  }

  bool Value(const std::u16string& name, std::u16string& value) {
    if (m_hasInlineValue) {
      value = m_inlineValue;
    } else if (m_next < m_args.size()) {
      value = m_args[m_next++];
    } else {
      return Fail(name + u" needs a value");
    }
    if (value.empty()) return Fail(name + u" needs a value");
    return true;
  }

  bool Flag(const std::u16string& name, bool& flag) {
    if (m_hasInlineValue) return Fail(name + u" takes no value");
    if (flag) return Fail(name + u" is given twice");
    flag = true;
    return true;
  }

  bool Text(const std::u16string& name, std::u16string& field) {
    if (!field.empty()) return Fail(name + u" is given twice");
    return Value(name, field);
  }

  bool Option(const std::u16string& name) {
    if (name == u"--help" || name == u"-h" || name == u"-?") return Flag(name, m_out.help);
    if (name == u"--list-profiles") return Flag(name, m_out.listProfiles);
    if (name == u"--list-options") {
      if (m_out.listOptions) return Fail(name + u" is given twice");
      m_out.listOptions = true;
      return Value(name, m_out.listOptionsProfile);
    }
    if (name == u"--dry-run") return Flag(name, m_out.dryRun);
    if (name == u"--settings") return Flag(name, m_out.settings);
    if (name == u"--original") return Flag(name, m_out.original);
    if (name == u"--profile") return Text(name, m_out.profile);
    if (name == u"--task") return Text(name, m_out.task);
    if (name == u"--out") return Text(name, m_out.outFolder);
    if (name == u"--report") {
      if (!Text(name, m_out.report)) return false;
      if (!ReportIsCsv(m_out.report) && !EndsWithNoCase(m_out.report, u".json"))
        return Fail(u"--report " + Quoted(m_out.report) + u" must end in .json or .csv");
      return true;
    }
    if (name == u"--log") return Text(name, m_out.log);
    if (name == u"--watch") return Text(name, m_out.watch);
    if (name == u"--shard") {
      if (m_shardSeen) return Fail(name + u" is given twice");
      m_shardSeen = true;
      std::u16string value;
      return Value(name, value) && ParseShard(value, m_out.shard, m_error);
    }
    if (name == u"--merge-reports") return Flag(name, m_out.mergeReports);
    if (name == u"--overwrite") return Overwrite(name);
    if (name == u"--jobs") {
      if (m_out.jobs != -1) return Fail(name + u" is given twice");
      std::u16string value;
      if (!Value(name, value)) return false;
      if (!ParseJobs(value, m_out.jobs))
        return Fail(name + u" takes a number from 1 to 8 or auto, not " + Quoted(value));
      return true;
    }
    if (name == u"--progress") {
      if (m_progressSeen) return Fail(name + u" is given twice");
      m_progressSeen = true;
      std::u16string value;
      if (!Value(name, value)) return false;
      if (SameNoCase(value, u"json"))
        m_out.progress = ProgressForm::Json;
      else if (!SameNoCase(value, u"text"))
        return Fail(name + u" takes text or json, not " + Quoted(value));
      return true;
    }
    for (OptionKind kind : kAllOptionKinds) {
      if (name != kOptionNames[static_cast<int>(kind)]) continue;
      for (const OPTION_VALUE& given : m_out.options)
        if (given.kind == kind) return Fail(name + u" is given twice");
      std::u16string value;
      if (!Value(name, value)) return false;
      m_out.options.push_back({kind, value});
      return true;
    }
    return Fail(u"unknown option " + name + u" (--help lists them)");
  }

  bool Overwrite(const std::u16string& name) {
    if (m_out.overwrite != OverwriteChoice::Unset) return Fail(name + u" is given twice");
    std::u16string value;
    if (!Value(name, value)) return false;
    if (SameNoCase(value, u"yes"))
      m_out.overwrite = OverwriteChoice::Yes;
    else if (SameNoCase(value, u"no"))
      m_out.overwrite = OverwriteChoice::No;
    else if (SameNoCase(value, u"ask"))
      m_out.overwrite = OverwriteChoice::Ask;
    else
      return Fail(name + u" takes yes, no or ask, not " + Quoted(value));
    return true;
  }

  bool Conflicts() {
    if (m_out.help) return true;
    if (m_out.listProfiles && m_out.listOptions)
      return Fail(u"--list-profiles and --list-options cannot go together");
    if (m_out.listProfiles || m_out.listOptions) {
      const std::u16string name = m_out.listProfiles ? u"--list-profiles" : u"--list-options";
      if (!m_out.inputs.empty()) return Fail(name + u" takes no input files");
      return true;
    }
    if (m_out.mergeReports) {
      if (m_out.report.empty()) return Fail(u"--merge-reports needs --report, the merged file");
      if (m_out.inputs.empty()) return Fail(u"--merge-reports needs the reports to merge");
      return true;
    }
    if (!m_out.watch.empty() && !m_out.inputs.empty())
      return Fail(u"--watch converts what appears in its folder, so " + Quoted(m_out.inputs[0]) +
                  u" cannot go with it");
    if (!m_out.watch.empty() && m_out.dryRun)
      return Fail(u"--watch converts as files come, so --dry-run cannot go with it");
    if (m_out.original && !m_out.options.empty())
      return Fail(u"--original keeps the source's settings, so " +
                  OptionName(m_out.options.front().kind) + u" cannot go with it");
    if (m_out.dryRun && (!m_out.report.empty() || !m_out.log.empty()))
      return Fail(u"--dry-run converts nothing, so " +
                  std::u16string(m_out.report.empty() ? u"--log" : u"--report") +
                  u" cannot go with it");
    if (m_out.profile.empty() && !m_out.settings)
      return Fail(u"--profile is missing (or --settings, to take the window's)");
    if (m_out.inputs.empty() && m_out.watch.empty()) return Fail(u"no input files given");
    return true;
  }

  const std::vector<std::u16string>& m_args;
  CMD_ARGUMENTS& m_out;
  std::u16string& m_error;
  size_t m_next = 0;
  std::u16string m_inlineValue;
  bool m_hasInlineValue = false;
  bool m_progressSeen = false;
  bool m_shardSeen = false;
};

}  // namespace

std::u16string OptionName(OptionKind kind) {
  return kOptionNames[static_cast<int>(kind)];
}

bool ParseArguments(const std::vector<std::u16string>& args, CMD_ARGUMENTS& out,
                    std::u16string& error) {
  out = CMD_ARGUMENTS();
  return Reader(args, out, error).Read();
}

bool ReportIsCsv(const std::u16string& path) {
  return EndsWithNoCase(path, u".csv");
}
