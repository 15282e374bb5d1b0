#pragma once

#include <foundation/paths/fpath.h>
#include <foundation/streams/porttype.h>

#include <cstdio>
#include <memory>
#include <string>

// One run of bytes of the distribution, spread over numbered part files: it starts at an offset in
// the first part and goes on from the first byte of each following part. The offset must lie inside
// the first part, every part but the distribution's last must be full (all as long as one another)
// and the last no longer than a full one: anything else is damage, and the run fails rather than
// deliver bytes of the wrong place, with the damaged part's file named in `damage()`. Where parts
// live, how they are numbered and how a missing one is asked for are the subclass's.
class spanstream : public portistream {
public:
  enum State { Closed = 0, Open = 1, Failed = 2, Finished = 3 };

  ~spanstream() override { close(); }

  void setup(const char* basename, int firstnumber, int parts, long offset, long length);

  int readbyte() override;
  int open() override;
  int close() override;
  int ateof() override { return state_ == Finished; }
  int isopen() override { return file_ != nullptr; }
  long size() override { return length_; }
  int read(void* buffer, int n) override;

  // 1 when part numbers go on from the first number, 0 when they count from 0.
  virtual int numberedbyset() = 0;
  // 1 to look for the part again, 0 to give up.
  virtual int askforpart(int number, int retry) = 0;
  virtual int partfolder(fpath& folder) = 0;

  int state() const { return state_; }
  // The file name of part `index` of the run.
  int partname(int index, fpath& path);
  // Why the run failed when a part was missing or short, in words that name the part's file
  // ("The distribution is damaged: data.002 is missing."); empty otherwise.
  const std::string& damage() const { return damage_; }

private:
  int OpenPart();
  // Records that part `index` is damaged (`what`: "missing", "short"); answers 0.
  int Damaged(int index, const char* what);
  // Whether the part just opened fits the run; at the run's start it is sought to the offset.
  int CheckPart();
  // Moves on to the next part at the end of the current one; 0 when there is none to open.
  int NextPart();
  // Reads the next block of the run; 0 at the run's end or on a failure.
  int Fill(unsigned char* direct, int n);

  fpathbuf base_;
  int first_ = 0;
  int parts_ = 1;
  long offset_ = 0;
  long length_ = 0;
  int index_ = 0;
  long delivered_ = 0;
  // The size of the distribution's full parts, from the first full part the run opens, and that part.
  long long fullsize_ = -1;
  int fullindex_ = 0;
  std::string damage_;
  FILE* file_ = nullptr;
  int state_ = Closed;
  // Bytes read from the parts and not yet delivered, so that single bytes and the file jobs' blocks
  // come cheaply: one read of the parts serves several blocks.
  static constexpr int BufferSize = 262144;
  std::unique_ptr<unsigned char[]> buffer_;
  int buffered_ = 0;
  int taken_ = 0;
  int direct_ = 0;
};
