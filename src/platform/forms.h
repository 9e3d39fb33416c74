// What the program's windows share: one instance per window class, created and loaded on first use;
// positions in twips; the text box validated when it loses the focus; and the guard around every
// event handler, so that no error escapes into the window system.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QWidget>
#include <functional>
#include <type_traits>

#include "platform/app.h"
#include "platform/errors.h"

namespace tavo {

constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}
constexpr int Twips(int pixels) {
  return pixels * kTwipsPerPixel;
}

// Places a widget at a position and size given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// The message an error that no trap of the program handles shows before the handler ends.
QString UnhandledErrorText(const VbError& e);

// Runs an event handler. A run-time error it does not trap is shown and ends the handler; an
// EndProgram inside it ends the program (in tests it only marks the program as ended).
void RunGuarded(const std::function<void()>& handler);

// What runs each time the program has finished handling an event (after the outermost guarded
// handler): a window that shows shared state brings itself up to date there. One at a time; an
// empty function removes it.
void SetAfterHandler(std::function<void()> after);

// Connects a signal to a member handler that runs guarded.
template <class Sender, class Signal, class Receiver, class Handler>
void ConnectGuarded(Sender* sender, Signal signal, Receiver* receiver, Handler handler) {
  QObject::connect(sender, signal, receiver,
                   [receiver, handler](auto&&...) { RunGuarded([&] { (receiver->*handler)(); }); });
}

// Hides a window shown by ShowModeless or ShowModal (its frame too, inside the main window).
void HideForm(QWidget* form);

// Every window class whose instance was created, so that all can be unloaded at once.
void RegisterForm(void (*unload)());
// Unloads every window instance of the program (the program's end, and the end of each test).
void UnloadAllForms();

// The one instance of a window class. `object()` creates it without loading it (a public procedure
// of the window may be called that way); `instance()` also loads it once, running its Form_Load, as
// reading any of its controls does. `unload()` runs Form_Unload and destroys it. Only the main thread
// reaches a window (OnMainThread): the report and progress windows' procedures, called by the engine,
// come through here too.
template <class T>
class FormInstance {
 public:
  static T& object() {
    Q_ASSERT(OnMainThread());
    if (!instance_) {
      static const bool registered = (RegisterForm(&FormInstance<T>::unload), true);
      (void)registered;
      instance_ = new T();
    }
    return *instance_;
  }
  static T& instance() {
    T& form = object();
    if (!form.loaded_) {
      form.loaded_ = true;
      form.Form_Load();
    }
    return form;
  }
  static bool exists() { return instance_ != nullptr; }
  static bool isLoaded() { return instance_ != nullptr && instance_->loaded_; }
  static void unload() {
    if (!instance_) return;
    T* form = instance_;
    if (form->loaded_) form->Form_Unload();
    instance_ = nullptr;
    delete form;
  }
  // Unloads the instance from inside one of its own event handlers (its close button, its closing by
  // the system): Form_Unload runs and the window is hidden at once; the object itself is destroyed
  // once the handler has returned.
  static void unloadLater() {
    if (!instance_) return;
    T* form = instance_;
    if (form->loaded_) form->Form_Unload();
    instance_ = nullptr;
    HideForm(form);
    form->deleteLater();
  }

 protected:
  // A window destroyed by its owner (a child window with the main window) is no instance any more.
  ~FormInstance() {
    if (instance_ && static_cast<FormInstance*>(instance_) == this) instance_ = nullptr;
  }
  bool loaded_ = false;

 private:
  static inline T* instance_ = nullptr;
};

// The lost-focus check of a control: it runs when the focus is about to leave the control for another
// control of its window, and a refusal takes the focus back into the control.
class FocusCheck {
 public:
  // The check: true when the control's content is accepted. It shows its own message when it refuses.
  void set(std::function<bool()> check) { check_ = std::move(check); }
  // Runs the check now; on refusal the focus returns to the control.
  bool run(QWidget* control);
  // True when a lost focus is one the check must run for: leaving the window (another window
  // activated, a menu or a message opened) is not.
  static bool counts(const QFocusEvent* event);
  // The focus is leaving `control` (its focus-out event): runs `validate` when the leave counts. A
  // refusal on a mouse press also drops that press, so the control it landed on is not clicked.
  static void leave(QWidget* control, QFocusEvent* event, const std::function<bool()>& validate);

 private:
  std::function<bool()> check_;
  bool validating_ = false;
};

// A text box that validates its text when it loses the focus to another control of its window: a
// failing check keeps the focus in the box with its whole text selected. A box that gets the focus
// selects its whole text.
class ValidatedBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit ValidatedBox(QWidget* parent = nullptr);
  void setValidation(std::function<bool()> check) { check_.set(std::move(check)); }
  // Runs the check now, as a lost focus does; on failure the focus returns to the box.
  bool validate();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  FocusCheck check_;
};

// Makes `box` one the user types numbers into: a comma typed or pasted there is the decimal point and
// shows as a point at once ("0,5" becomes "0.5"). A text the program puts in stays as it is.
void TakesNumbers(QLineEdit* box);

// A list that validates its choice when it loses the focus to another control of its window: a
// failing check keeps the focus in the list (with its typed text selected, in an editable list).
class ValidatedList : public QComboBox {
  Q_OBJECT
 public:
  explicit ValidatedList(QWidget* parent = nullptr);
  void setValidation(std::function<bool()> check) { check_.set(std::move(check)); }
  bool validate();
  // Lets the user type a value of the list's kind besides picking an entry. What is typed stands as
  // typed: it is never completed to an entry that starts with it, nor added to the entries.
  void setTypable();

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  FocusCheck check_;
};

// Showing windows. A modeless window opens inside the main window's area when it is one of its
// child windows, else as a window of its own above the main window; showing a window that is open
// brings it to the front. A child window never reaches past the area: one larger than the area is
// made to fit. A modal window blocks until it is hidden, and is modeless again afterwards.
void SetMdiHost(QMdiArea* area);
QMdiArea* MdiHost();
void ShowModeless(QWidget* form, bool mdiChild);
void ShowModal(QWidget* form);
// A window shown on its own: made to fit the screen, with scroll bars when it is larger than the
// screen, and moved so that its whole frame, title bar included, stands on the screen. Before the
// window manager has framed the window a title bar is allowed for; once it has, the window is placed
// again with the frame it got.
void FitOnScreen(QWidget* form);
// Tests: the frame a window manager puts around every window of its own, which the offscreen screen
// does not have; empty margins give the real frames back.
void SetWindowFrameForTests(const QMargins& frame);

// Validates the box or list that holds the focus inside `window`, as a button must before it acts.
bool ValidateFocusedBox(QWidget* window);

}  // namespace tavo
