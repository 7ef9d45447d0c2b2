// Forms: top-level windows read from a stored layout, owning their components.
#pragma once
#include <any>
#include <map>
#include <string>

#include "framework/FormTypes.h"
#include "framework/LayoutReader.h"
#include "framework/WinControl.h"

// Where a form's window goes when it is first shown. poScreenCenter centres it on the work area
// of its owner's monitor (the primary one without an owner); poDesktopCenter on the primary
// monitor's; poMainFormCenter and poOwnerFormCenter on that window (the screen when there is
// none), kept within the monitor's work area.
enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
class TButton;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  // Takes effect when the window is made: set it before the form is shown.
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  // TBorderIcon bits. Take effect when the window is made, as the border style does.
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  bool AlphaBlend() const { return alphaBlend_; }
  // Takes effect when the window is made (a layered window from its creation).
  void SetAlphaBlend(bool value) { alphaBlend_ = value; }
  int AlphaBlendValue() const { return alphaBlendValue_; }
  // The opacity of an alpha-blended form (0 … 255), applied at once to its window.
  void SetAlphaBlendValue(int value);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  // Before the window exists, the client size the layout or SetClientSize asked for.
  TRect ClientRect() const override;
  // Constraints bound Width and Height, the whole window's size (the user's dragging through
  // WM_GETMINMAXINFO, the program's SetBounds): a minimum client area is that area plus the
  // frame, Width() − ClientWidth() across and Height() − ClientHeight() down once the window exists.
  int PixelsPerInch() const { return pixelsPerInch_; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;

  void Show();
  void Hide();
  // Asks OnClose; unless the action is caNone, hides the window (the main form ends the
  // application). A modal form only takes mrCancel as its result.
  void Close();

  // Shows the form owned by the active window of ours (else by the main form), with every other
  // enabled window of the thread disabled, and handles the application's messages until
  // ModalResult is set (a button's, mrCancel from closing) and OnClose does not answer caNone.
  // Then the other windows are enabled again, the window that was active gets back the activation
  // and its focused control, and the form is hidden. Returns the result; ModalResult is mrNone
  // again. A WM_QUIT ends it as mrCancel and is posted again for the loop outside.
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  // The enabled, showing button of the form marked Default (or Cancel), null when none.
  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  // Destroys the form once the messages already waiting have been handled: for a form that must
  // not go while one of its own messages (or its caller's) is still on the stack. The form then
  // belongs to the framework (an ownerless one too): nobody else may delete it. Releasing twice
  // is harmless; a form its owner destroys first is forgotten.
  void Release();
  // Whether closing this form ends the message loop (the application's main form).
  bool EndsApplication() const { return endsApplication_; }
  void SetEndsApplication(bool v) { endsApplication_ = v; }

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  // Runs after the layout has been read and loaded, before OnCreate.
  virtual void LayoutRead() {}
  // Reads the layout stored in the resource (RCDATA) of that name, then runs OnCreate.
  void ReadLayoutResource(const wchar_t* resourceName, const TClassRegistry& classes);
  void ReadLayoutText(std::string_view text, const TClassRegistry& classes);
  // Event handlers the layout may name, as std::function values (TNotifyEvent and others).
  void PublishMethod(const std::string& name, std::any method) { methods_.Publish(name, std::move(method)); }

 private:

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = kDefaultBorderIcons;
  TPosition position_ = TPosition::poDesigned;
  bool alphaBlend_ = false;
  int alphaBlendValue_ = 255;
  int clientWidth_ = -1, clientHeight_ = -1;
  int pixelsPerInch_ = 96;
  bool endsApplication_ = false;
  TPublishedMethods methods_;
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
  HWND ownerWnd_ = nullptr;  // the window that owns ours (made with it, or set by ShowModal)
  bool placed_ = false;      // Position has been applied (on the first show)

  void SetOwnerWindow(HWND owner);
  void PlaceWindow();
  bool ModalCloseAllowed();
};

// The form a control sits on (itself for a form), or null.
TForm* GetParentForm(TControl* control);

// Destroys every released form that is still waiting, now. The application's destructor calls
// it, so that forms released just before the end do not outlive the program's objects.
void DestroyReleasedForms();

namespace form_detail {
// Takes a form out of the waiting releases (its destructor calls it).
void ForgetRelease(TForm* form);
}  // namespace form_detail
