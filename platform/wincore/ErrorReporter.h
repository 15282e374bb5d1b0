#pragma once

#include <exception>
#include <functional>
#include <string>

// The program's one error reporter: where an error goes that a handler did not deal with. The window core
// hands it every exception stopped at a window procedure; each framework layer sets the program's
// reporter once (a message box in the layer's words), and a test replaces it for one scope.
namespace wincore {

using ErrorReporter = std::function<void(std::exception_ptr error)>;

// Sets the reporter and answers the one it replaces; an empty one restores the default, a message box
// with the error's text.
ErrorReporter setErrorReporter(ErrorReporter reporter);
// Hands an error to the reporter. Never throws: an error inside the reporter itself is dropped.
void reportError(std::exception_ptr error) noexcept;
// Runs `action` and reports whatever it throws.
void guarded(const std::function<void()>& action) noexcept;
// The error's own text ("Unknown error" for a non-standard exception).
std::string errorText(std::exception_ptr error);

// Replaces the reporter for one scope.
class ScopedErrorReporter {
public:
  explicit ScopedErrorReporter(ErrorReporter reporter) : previous_(setErrorReporter(std::move(reporter))) {}
  ~ScopedErrorReporter() { setErrorReporter(std::move(previous_)); }
  ScopedErrorReporter(const ScopedErrorReporter&) = delete;
  ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

private:
  ErrorReporter previous_;
};

} // namespace wincore
