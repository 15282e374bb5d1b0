#pragma once

#include <engine/controllers/EventController.h>
#include <engine/script/BuildInfo.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// Stands in for the install controller: records each call as a line of text and answers as told.
class RecordingController : public EventController {
public:
  std::vector<std::string> calls;
  std::vector<FileEntry> entries;
  int answer = 1;      // what operations answer
  int queryAnswer = 0; // the query dialog's answer
  int value = 42;      // values handed back
  const char* text = "found";
  std::vector<std::string> arguments{"kxmain", "first"};

  const FileEntry* fileentry(unsigned index) override {
    return index < entries.size() ? &entries[index] : nullptr;
  }

  int querydialog(int style, const char* t) override {
    return note(queryAnswer, "querydialog %d %s", style, t);
  }
  void queryfailed() override { note(0, "queryfailed"); }
  int userinfo(int a, int b, char* const variables[6]) override {
    std::string names;
    for (int i = 0; i < 6; ++i)
      names += variables[i] ? "v" : "-";
    return note(answer, "userinfo %d %d %s", a, b, names.c_str());
  }
  int selectcomponents() override { return note(answer, "selectcomponents"); }
  int showtext(int mode, const char* t) override { return note(answer, "showtext %d %s", mode, t); }
  int promptstring(const int v[4], const char* const t[4], char* out) override {
    std::strncpy(out, text, 256);
    return note(answer, "promptstring %d %d %d %d %s|%s|%s|%s", v[0], v[1], v[2], v[3], t[0], t[1], t[2],
                t[3]);
  }
  int askyesno(int mode, const char* q, int& yes) override {
    yes = value;
    return note(answer, "askyesno %d %s", mode, q);
  }
  int userdialog(const char* name, int& result) override {
    result = value;
    return note(answer, "userdialog %s", name);
  }
  int installfile(const FileInstallRecord& r) override {
    return note(answer, "installfile %s %s mode%d compare%d component%d", r.source, r.target,
                r.options[CopyMode], r.options[CopyCompareAfter], r.component);
  }
  int begincopy(int a, int b, long c) override { return note(answer, "begincopy %d %d %ld", a, b, c); }
  int endcopy() override { return note(answer, "endcopy"); }
  int movefile(const char* a, const char* b) override { return note(answer, "movefile %s %s", a, b); }
  int deletefolder(const char* p) override { return note(answer, "deletefolder %s", p); }
  int deletefile(const char* p) override { return note(answer, "deletefile %s", p); }
  int fileoperation(const char* a, const char* b) override {
    return note(answer, "fileoperation %s %s", a, b);
  }
  int createfolder(const char* p) override { return note(answer, "createfolder %s", p); }
  int findfile(const int o[6], const char* folder, const char* pattern, int& found, char* path) override {
    found = 1;
    std::strncpy(path, text, 256);
    return note(answer, "findfile %d %s %s", o[0], folder, pattern);
  }
  int EditStartupFiles(const int v[3], const char* file) override {
    return note(answer, "editstartupfiles %d %d %d %s", v[0], v[1], v[2], std::strrchr(file, '\\') + 1);
  }
  int InstallUninstaller(const UninstallRecord& r) override {
    return note(answer, "registeruninstall %s %s %s append%d first=%s", r.folder, r.group, r.workingFolder,
                r.append, r.extraFiles[0] ? r.extraFiles[0]->target.c_str() : "-");
  }
  int writeini(const IniWriteRecord& r) override {
    return note(answer, "writeini %s [%s] %s=%s %d,%d,%d %d", r.file, r.section, r.entry, r.value, r.flags[0],
                r.flags[1], r.flags[2], r.limit);
  }
  int writeregistry(int root, const char* key, const char* name, unsigned long type, const void* data,
                    int size) override {
    std::string bytes;
    for (int i = 0; i < size; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02x", static_cast<const unsigned char*>(data)[i]);
      bytes += hex;
    }
    return note(answer, "writeregistry %d %s %s type%lu %s", root, key, name, type, bytes.c_str());
  }
  int readini(const char* const t[4], int& exists, char* v) override {
    exists = 1;
    std::strncpy(v, text, 256);
    return note(answer, "readini %s %s %s %s", t[0], t[1], t[2], t[3]);
  }
  int queryregistry(int root, const char* key, const char* name, int& exists, char* v) override {
    exists = 1;
    std::strncpy(v, text, 256);
    return note(answer, "queryregistry %d %s %s", root, key, name);
  }
  int runprogram(const RunRecord& r, int& v) override {
    v = value;
    return note(answer, "runprogram show%d wait%d %s", r.show, r.wait, r.program);
  }
  int addprogmanitem(const ProgmanItemRecord& r) override {
    return note(answer, "addprogmanitem %d %d %s", r.values[0], r.values[1], r.texts[0]);
  }
  int deleteprogmanitem(const char* g, const char* i) override {
    return note(answer, "deleteprogmanitem %s %s", g, i);
  }
  int deleteprogmangroup(const char* g) override { return note(answer, "deleteprogmangroup %s", g); }
  int request(int a, int b, int c, int& result) override {
    result = value;
    return note(answer, "request %d %d %d", a, b, c);
  }
  int queryvalue(int type, int& v) override {
    v = value + type;
    return note(answer, "queryvalue %d", type);
  }
  int querystate(int& v) override {
    v = value;
    return note(answer, "querystate");
  }
  int medium(char* root, int& exists) override {
    std::strcpy(root, "d:\\");
    exists = 1;
    return note(answer, "medium");
  }
  long requiredspace() override {
    note(0, "requiredspace");
    return 12345;
  }
  int comparetexts(int mode, const char* a, const char* b) override {
    note(0, "comparetexts %d %s %s", mode, a, b);
    return -1;
  }
  int systemversion(int& major, int& minor) override {
    major = 4;
    minor = 10;
    return note(answer, "systemversion");
  }
  int processor() override { return note(586, "processor"); }
  int openmessage(int which) override { return note(answer, "openmessage %d", which); }
  int closemessage(int which) override { return note(answer, "closemessage %d", which); }
  int showmessage(const MessageWindowRecord& r) override {
    return note(answer, "showmessage %d %d %ld %s %s", r.x, r.y, r.time, r.first, r.second);
  }
  int hidemessage() override { return note(answer, "hidemessage"); }
  int argumentcount() override { return note(static_cast<int>(arguments.size()), "argumentcount"); }
  int argument(int n, char* out) override {
    if (n < 0 || n >= static_cast<int>(arguments.size()))
      return note(0, "argument %d", n);
    std::strcpy(out, arguments[static_cast<size_t>(n)].c_str());
    return note(1, "argument %d", n);
  }

private:
  template <class... Args> int note(int result, const char* format, Args... args) {
    char line[512];
    std::snprintf(line, sizeof line, format, args...);
    calls.emplace_back(line);
    return result;
  }
};
