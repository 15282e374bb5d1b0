#pragma once

#include <foundation/paths/fpath.h>
#include <foundation/streams/porttype.h>

#include <cstdio>
#include <memory>

// One run of bytes of the distribution, spread over numbered part files: it starts at an offset in
// the first part and goes on from the first byte of each following part. The offset must lie inside
// the first part, and every part but the distribution's last must be full (all as long as one
// another): anything else is damage, and the run fails rather than deliver bytes of the wrong place. Where
// parts live, how they are numbered and how a missing one is asked for are the subclass's.
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

private:
  int OpenPart();
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
  // The size of the distribution's full parts, from the first full part the run opens.
  long long fullsize_ = -1;
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
