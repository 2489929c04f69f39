// The small application framework the runtime sits on: an application
// object with instance-initialisation and exit steps, a message pump with
// pre-translation, and the judgement of which messages restart idle work.
#pragma once

#include <windows.h>

namespace mnemora {

class AppFramework {
 public:
  virtual ~AppFramework() = default;

  // Calls InitInstance; when it answers false, goes straight to ExitInstance
  // and returns its result, otherwise runs the framework's own loop first.
  int Main();

  // Takes one message, offers it to PreTranslateMessage and dispatches it.
  // False when the message was WM_QUIT, whose code is then kept.
  bool PumpMessage();

  // False for messages that must not restart idle processing: repeated
  // mouse moves at the same place, paints and the system timer.
  bool IsIdleMessage(const MSG& message);

  // The message the last PumpMessage took.
  const MSG& LastMessage() const { return lastMessage_; }
  // The code of the last WM_QUIT taken.
  int QuitCode() const { return quitCode_; }

  // The framework's own idle work; answers whether it wants more.
  virtual bool OnIdle(long idleCount);

 protected:
  virtual bool InitInstance() = 0;
  // Returns the process exit code: the code of the last WM_QUIT.
  virtual int ExitInstance();
  virtual bool PreTranslateMessage(MSG* message);

  int quitCode_ = 0;
  MSG lastMessage_{};

 private:
  POINT lastMousePosition_{-1, -1};
  UINT lastMouseMessage_ = 0;
};

}  // namespace mnemora
