#include <engine/operations/tests/DdeTestServer.h>

#include <engine/operations/TickTimer.h>
#include <engine/operations/ddeclient.h>
#include <foundation/tests/checkrecorder.h>

#include <gtest/gtest.h>

#include <thread>

#include <dde.h>

namespace {

DdeTestServer::Options Serving(const char* application) {
  DdeTestServer::Options options;
  options.application = application;
  options.topic = "Topic";
  return options;
}

TEST(TickTimerTest, RunsOutAcrossTheWrap) {
  struct Case {
    const char* name;
    DWORD start, duration, now;
    int expired;
  } cases[] = {
      {"before the end", 1000, 500, 1400, 0},
      {"at the end", 1000, 500, 1500, 0},
      {"past the end", 1000, 500, 1501, 1},
      {"tick before the start", 1000, 500, 999, 1},
      {"end wraps, now before the wrap", 0xFFFFFF00, 0x200, 0xFFFFFFF0, 0},
      {"end wraps, now after the wrap", 0xFFFFFF00, 0x200, 0x50, 0},
      {"end wraps, now past the end", 0xFFFFFF00, 0x200, 0x101, 1},
      {"start at the top", 0xFFFFFFFF, 10, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expired, TickTimerExpired(TickTimer{c.start, c.duration}, c.now)) << c.name;
}

TEST(ddeclientTest, ConnectsExecutesAndDisconnects) {
  DdeTestServer server(Serving("KxTestA"));
  ddeclient client;
  ASSERT_EQ(1, client.DdeConnect("KxTestA", "Topic"));
  EXPECT_EQ(1, client.DdeExecute("[Do(1)]"));
  EXPECT_EQ(std::vector<std::string>{"[Do(1)]"}, server.executes());
  client.DdeDisconnect();
  EXPECT_EQ(nullptr, client.server());
  EXPECT_EQ(nullptr, client.window());
}

TEST(ddeclientTest, NoServerAnswersNoConnection) {
  ddeclient client;
  EXPECT_EQ(0, client.DdeConnect("KxNobodyServes", "Topic"));
  EXPECT_EQ("did not answer the call to a conversation", client.failure());
  client.DdeDisconnect();
}

TEST(ddeclientTest, NegativeAndMissingAcknowledgementsFail) {
  DdeTestServer::Options options = Serving("KxTestB");
  options.executeAck = DdeTestServer::Negative;
  DdeTestServer negative(options);
  ddeclient client;
  client.settimeout(300);
  ASSERT_EQ(1, client.DdeConnect("KxTestB", "Topic"));
  EXPECT_EQ(0, client.DdeExecute("[Do(1)]"));
  EXPECT_EQ("refused the command", client.failure());
  client.DdeDisconnect();

  options = Serving("KxTestC");
  options.executeAck = DdeTestServer::Silent;
  DdeTestServer silent(options);
  ASSERT_EQ(1, client.DdeConnect("KxTestC", "Topic"));
  DWORD before = GetTickCount();
  EXPECT_EQ(0, client.DdeExecute("[Do(2)]"));
  EXPECT_GE(GetTickCount() - before, 250u) << "the client waited its time for the answer";
  EXPECT_EQ("did not answer within 300 ms", client.failure());
  client.DdeDisconnect();
}

// A command that timed out may still be answered: that late answer belongs to it, not to the next
// command, which the server refuses here.
TEST(ddeclientTest, ALateAcknowledgementAnswersItsOwnCommand) {
  DdeTestServer::Options options = Serving("KxTestLate");
  options.executeAnswers = {{DdeTestServer::Positive, 700}, {DdeTestServer::Negative, 0}};
  DdeTestServer server(options);
  ddeclient client;
  client.settimeout(300);
  ASSERT_EQ(1, client.DdeConnect("KxTestLate", "Topic"));
  EXPECT_EQ(0, client.DdeExecute("[Slow()]")) << "timed out";
  client.settimeout(3000);
  EXPECT_EQ(0, client.DdeExecute("[Refused()]")) << "the refusal is its answer";
  EXPECT_EQ(1, client.DdeExecute("[Done()]"));
  EXPECT_EQ("", client.failure()) << "an answered command leaves nothing to tell";
  client.DdeDisconnect();
}

// A positive acknowledgement where data was asked for is no answer, and no failed check either.
TEST(ddeclientTest, APositiveAcknowledgementOfARequestIsNoText) {
  DdeTestServer::Options options = Serving("KxTestPos");
  options.unknownItemAck = DdeTestServer::Positive;
  options.texts["Known"] = "k";
  DdeTestServer server(options);
  ddeclient client;
  CheckRecorder checks;
  ASSERT_EQ(1, client.DdeConnect("KxTestPos", "Topic"));
  std::string text = "old";
  EXPECT_EQ(0, client.DdeRequest("Unknown", CF_TEXT, text));
  EXPECT_EQ("", text);
  EXPECT_EQ(1, client.DdeRequest("Known", CF_TEXT, text));
  EXPECT_EQ("k", text);
  client.DdeDisconnect();
  EXPECT_TRUE(checks.seen.empty());
}

// A window that does not answer (its thread is busy) holds the initiate only for a moment: the connect
// gives up on it while it is still busy, long before the busy thread's own guard lets it go.
TEST(ddeclientTest, AHungWindowDoesNotStopTheConnect) {
  HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool stillBusy = false;
  std::thread busy([&] {
    HWND window = CreateWindowA("STATIC", "busy", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetEvent(created);
    stillBusy = WaitForSingleObject(release, 90000) == WAIT_OBJECT_0;
    DestroyWindow(window);
  });
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(created, 60000));
  ddeclient client;
  EXPECT_EQ(0, client.DdeConnect("KxNobodyServes", "Topic"));
  SetEvent(release);
  busy.join();
  EXPECT_TRUE(stillBusy) << "the connect waited until the busy window was let go";
  client.DdeDisconnect();
  CloseHandle(release);
  CloseHandle(created);
}

TEST(ddeclientTest, RequestsTextAndAcknowledgesIt) {
  DdeTestServer::Options options = Serving("KxTestD");
  options.texts["Item"] = "one\r\ntwo\r\n";
  DdeTestServer server(options);
  ddeclient client;
  ASSERT_EQ(1, client.DdeConnect("KxTestD", "Topic"));
  std::string text;
  EXPECT_EQ(1, client.DdeRequest("Item", CF_TEXT, text));
  EXPECT_EQ("one\r\ntwo\r\n", text);
  client.DdeDisconnect();
  // The positive acknowledgement reaches the server before the terminate that follows it.
  for (int i = 0; i < 100 && server.terminatesReceived() == 0; ++i)
    Sleep(10);
  ASSERT_EQ(1u, server.dataAcks().size());
  EXPECT_EQ(0x8000, server.dataAcks()[0]);
}

TEST(ddeclientTest, RefusedAndNonTextRequestsAnswerNothing) {
  DdeTestServer::Options options = Serving("KxTestE");
  options.bitmapItems = {"Picture"};
  DdeTestServer server(options);
  ddeclient client;
  CheckRecorder checks;
  ASSERT_EQ(1, client.DdeConnect("KxTestE", "Topic"));
  std::string text = "old";
  EXPECT_EQ(0, client.DdeRequest("Unknown", CF_TEXT, text));
  EXPECT_EQ("", text);
  EXPECT_EQ(0, client.DdeRequest("Picture", CF_TEXT, text));
  client.DdeDisconnect();
  EXPECT_TRUE(checks.seen.empty());
  for (int i = 0; i < 100 && server.terminatesReceived() == 0; ++i)
    Sleep(10);
  // Refused data goes back to its server, which frees it on the negative acknowledgement.
  ASSERT_EQ(1u, server.dataAcks().size());
  EXPECT_EQ(0, server.dataAcks()[0]);
}

TEST(ddeclientTest, ServerTerminatesTheConversation) {
  DdeTestServer server(Serving("KxTestF"));
  ddeclient client;
  ASSERT_EQ(1, client.DdeConnect("KxTestF", "Topic"));
  server.terminate();
  std::string text;
  EXPECT_EQ(0, client.DdeRequest("Item", CF_TEXT, text));
  EXPECT_EQ(nullptr, client.server());
  EXPECT_EQ("ended the conversation", client.failure());
  client.DdeDisconnect();
}

TEST(ddeclientTest, TheWindowsUserDataStaysTheProgramsOwn) {
  DdeTestServer server(Serving("KxTestH"));
  ddeclient client;
  ASSERT_EQ(1, client.DdeConnect("KxTestH", "Topic"));
  ASSERT_EQ(0, GetWindowLongPtrA(client.window(), GWLP_USERDATA)) << "the client keeps nothing there";
  SetWindowLongPtrA(client.window(), GWLP_USERDATA, 0x5A5A);
  // The terminate reaches the client through its window, whatever the program keeps in the slot.
  server.terminate();
  std::string text;
  EXPECT_EQ(0, client.DdeRequest("Item", CF_TEXT, text));
  EXPECT_EQ(nullptr, client.server());
  EXPECT_EQ(0x5A5A, GetWindowLongPtrA(client.window(), GWLP_USERDATA));
  client.DdeDisconnect();
}

TEST(ddeclientTest, SecondServerIsToldToTerminate) {
  DdeTestServer first(Serving("KxTestG"));
  DdeTestServer second(Serving("KxTestG"));
  ddeclient client;
  ASSERT_EQ(1, client.DdeConnect("KxTestG", "Topic"));
  HWND partner = client.server();
  EXPECT_EQ(1, client.DdeExecute("[Do(1)]"));
  EXPECT_EQ(partner, client.server());
  size_t executed = first.executes().size() + second.executes().size();
  EXPECT_EQ(1u, executed);
  client.DdeDisconnect();
  for (int i = 0; i < 100 && first.terminatesReceived() + second.terminatesReceived() < 2; ++i)
    Sleep(10);
  EXPECT_EQ(1, first.terminatesReceived());
  EXPECT_EQ(1, second.terminatesReceived());
}

} // namespace
