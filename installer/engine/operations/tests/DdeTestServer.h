#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A DDE server on its own thread, for the client's tests. It answers initiates from windows of this
// process only (so test programs running side by side never talk to each other), acknowledges
// executes as told, and answers requests from a table of texts. In Program Manager mode it keeps
// groups and items and carries out the commands it is sent.
class DdeTestServer {
public:
  enum Ack { Positive, Negative, Silent };

  struct Options {
    std::string application = "PROGMAN";
    std::string topic = "PROGMAN";
    Ack executeAck = Positive;
    // Answers to the executes in order, each after a delay in milliseconds; then executeAck at once.
    std::vector<std::pair<Ack, DWORD>> executeAnswers;
    // The acknowledgement of a request for an item it does not know: a refusal, or (as some Program
    // Managers answer) a positive one without data.
    Ack unknownItemAck = Negative;
    int programManager = 0;
    // Requests: text answers; an item missing here is refused, unless Program Manager mode knows it.
    std::map<std::string, std::string> texts;
    // Items answered with data of a format other than text.
    std::vector<std::string> bitmapItems;
    WORD dataFlags = 0xA000; // acknowledgement requested, release
  };

  explicit DdeTestServer(Options options);
  ~DdeTestServer();
  DdeTestServer(const DdeTestServer&) = delete;
  DdeTestServer& operator=(const DdeTestServer&) = delete;

  // Ends the conversation from the server's side.
  void terminate();

  std::vector<std::string> executes() const;
  std::vector<WORD> dataAcks() const;
  int terminatesReceived() const;
  // Program Manager mode: the groups and their items' lines.
  std::map<std::string, std::vector<std::string>> groups() const;
  void addGroup(const std::string& name, const std::vector<std::string>& items);

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Run();
  int Execute(const std::string& command);
  int Answer(const std::string& item, std::string& text, int& bitmap);
  void PostData(HWND client, const std::string& text, WORD format, ATOM item);

  Options options_;
  mutable std::mutex lock_;
  std::vector<std::string> executes_;
  std::vector<WORD> dataAcks_;
  int terminates_ = 0;
  std::map<std::string, std::vector<std::string>> groups_;
  std::string currentGroup_;
  HWND window_ = nullptr;
  HWND client_ = nullptr;
  HANDLE ready_ = nullptr;
  std::thread thread_;
};
