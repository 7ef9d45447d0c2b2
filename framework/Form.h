// Forms: top-level windows read from a stored layout, owning their components.
#pragma once
#include <any>
#include <map>
#include <string>

#include "framework/FormTypes.h"
#include "framework/LayoutReader.h"
#include "framework/WinControl.h"

enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };
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
  bool AlphaBlend() const { return alphaBlend_; }
  // Takes effect when the window is made (a layered window from its creation).
  void SetAlphaBlend(bool value) { alphaBlend_ = value; }
  int AlphaBlendValue() const { return alphaBlendValue_; }
  // The opacity of an alpha-blended form (0 … 255), applied at once to its window.
  void SetAlphaBlendValue(int value);
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);
  int PixelsPerInch() const { return pixelsPerInch_; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;

  void Show();
  void Hide();
  // Asks OnClose; unless the action is caNone, hides the window (the main form ends the
  // application).
  void Close();
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
};

// Destroys every released form that is still waiting, now. The application's destructor calls
// it, so that forms released just before the end do not outlive the program's objects.
void DestroyReleasedForms();

namespace form_detail {
// Takes a form out of the waiting releases (its destructor calls it).
void ForgetRelease(TForm* form);
}  // namespace form_detail
