#pragma once

// What the events ask of the install controller, one small interface per family of event types. The
// controller implements them all (EventController); tests drive the executors with a recording fake.
// Texts passed in are expanded already; a text handed back goes into a buffer of 256 characters.
// Answers are 1 for success and 0 for failure unless said.

class Event;
struct FileEntry;

class DialogOperations {
public:
  // Type 0: the query dialog's answer (0 go on, 2 give up, other: an error answer).
  virtual int querydialog(int style, const char* text) = 0;
  virtual void queryfailed() = 0;
  virtual int userinfo(int first, int second, char* const variables[6]) = 0;
  // Type 2: 0 when the user gave up.
  virtual int selectcomponents() = 0;
  virtual int showtext(int mode, const char* text) = 0;
  // Type 12: the answer into `answer` (256 characters).
  virtual int promptstring(const int values[4], const char* const texts[4], char* answer) = 0;
  virtual int askyesno(int mode, const char* question, int& yes) = 0;
  // Type 48: the dialog's result (-1 when it could not be filled).
  virtual int userdialog(const char* name, int& result) = 0;

protected:
  ~DialogOperations() = default;
};

// Copy options of type 3, in stream order.
enum CopyOption {
  CopyMode,            // 2: one single file
  CopyFromArchive,     // the sources are members of the distribution archive
  CopyCompressedSizes, // sizes counted as the packed sizes
  CopyComparator,      // overwrite policy 0..6: the comparator kind
  CopyInUseRule,       // 0..2
  CopyDecisionMode,    // 0..5
  CopyRetry,
  CopyCompareAfter,
  CopyAppend,
  CopyShared, // counted in the shared-files key
  CopyRegisterServer,
  CopyRegisterFont,
  CopyKeepAttributes,
  CopyOptionCount
};

struct FileInstallRecord {
  int options[CopyOptionCount];
  const FileEntry* entry; // none in single-file mode
  const char* source;
  const char* target;
  int component;
};

struct UninstallRecord {
  const FileEntry* extraFiles[2]; // the first goes to the Windows folder, the second beside the uninstaller
  const char* folder;
  const char* group;
  const char* workingFolder;
  int append;
  const char* kept;
  int busyMessage;
  int components[2];
};

class FileOperations {
public:
  virtual int installfile(const FileInstallRecord& record) = 0;
  virtual int begincopy(int step, int parts, long sizeKB) = 0;
  virtual int endcopy() = 0;
  virtual int movefile(const char* source, const char* target) = 0;
  virtual int deletefolder(const char* path) = 0;
  virtual int deletefile(const char* path) = 0;
  virtual int fileoperation(const char* path, const char* second) = 0;
  virtual int createfolder(const char* path) = 0;
  virtual int findfile(const int options[6], const char* folder, const char* pattern, int& found,
                       char* path) = 0;
  virtual int EditStartupFiles(const int values[3], const char* linesFile) = 0;
  virtual int InstallUninstaller(const UninstallRecord& record) = 0;

protected:
  ~FileOperations() = default;
};

// Type 5's record: the mode turned into three flags (-1 unset).
struct IniWriteRecord {
  const char* file;
  const char* section;
  const char* entry;
  const char* value;
  int flags[3];
  int limit;
};

class SettingsOperations {
public:
  virtual int writeini(const IniWriteRecord& record) = 0;
  // `type` is a REG_ constant; `data` holds `size` bytes.
  virtual int writeregistry(int root, const char* key, const char* name, unsigned long type, const void* data,
                            int size) = 0;
  virtual int readini(const char* const texts[4], int& exists, char* value) = 0;
  virtual int queryregistry(int root, const char* key, const char* name, int& exists, char* value) = 0;

protected:
  ~SettingsOperations() = default;
};

// Wait kinds of the controller's program start: none, until the program ends (its exit code the
// value), until a window titled by the fourth text has appeared and gone.
enum WaitKind { WaitNone = 1, WaitForExit = 2, WaitForWindow = 3 };

struct RunRecord {
  int show; // an SW_ constant
  int wait; // a WaitKind
  int flags;
  const char* program;
  const char* arguments;
  const char* folder;
  const char* fourth;
};

struct ProgmanItemRecord {
  int values[2];
  const char* texts[5];
};

class ProgramOperations {
public:
  // Answers 1 with the operation's value.
  virtual int runprogram(const RunRecord& record, int& value) = 0;
  virtual int addprogmanitem(const ProgmanItemRecord& record) = 0;
  virtual int deleteprogmanitem(const char* group, const char* item) = 0;
  virtual int deleteprogmangroup(const char* group) = 0;

protected:
  ~ProgramOperations() = default;
};

struct MessageWindowRecord {
  int x;
  int y;
  long time;
  const char* first;
  const char* second;
};

// Request codes of type 8.
enum RequestCode {
  RequestAbort = 0,
  RequestFileSets = 1,
  RequestSequenceDialog = 2, // the second int: which of the script's sequence dialogs to show
  RequestCloseSequenceDialog = 3
};

class StateOperations {
public:
  virtual int request(int a, int b, int c, int& result) = 0;
  // Types 31 and 32: the query of that type.
  virtual int queryvalue(int type, int& value) = 0;
  virtual int querystate(int& value) = 0;
  virtual int medium(char* root, int& exists) = 0;
  // The size of the selected parts in units of 10 KB.
  virtual long requiredspace() = 0;
  virtual int comparetexts(int mode, const char* a, const char* b) = 0;
  virtual int systemversion(int& major, int& minor) = 0;
  virtual int processor() = 0;
  // Types 35..40: 0, 1, 2 the built-in message's number.
  virtual int openmessage(int which) = 0;
  virtual int closemessage(int which) = 0;
  virtual int showmessage(const MessageWindowRecord& record) = 0;
  virtual int hidemessage() = 0;
  virtual int argumentcount() = 0;
  // The n-th argument into `out` (256 characters); 0 when there is none.
  virtual int argument(int n, char* out) = 0;

protected:
  ~StateOperations() = default;
};

class EventController : public DialogOperations,
                        public FileOperations,
                        public SettingsOperations,
                        public ProgramOperations,
                        public StateOperations {
public:
  // The build information's file entries, for the events' file references.
  virtual const FileEntry* fileentry(unsigned index) = 0;

protected:
  ~EventController() = default;
};
