// The setup window.
#pragma once
#include <string>

#include "framework/Form.h"
#include "framework/Image.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sToolEdit.h"
#include "skin/data/sSkinManager.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);

  TsSkinManager* sSkinManager1 = nullptr;
  TsButton* sButton1 = nullptr;
  TImage* Image1 = nullptr;
  TsLabelFX* sLabelFX1 = nullptr;
  TsLabelFX* sLabelFX2 = nullptr;
  TsSpeedButton* sSpeedButton1 = nullptr;
  TsCheckBox* sCheckBox1 = nullptr;
  TsCheckBox* sCheckBox2 = nullptr;
  TsGauge* sGauge1 = nullptr;
  TsDirectoryEdit* sDirectoryEdit1 = nullptr;
  TsMemo* sMemo1 = nullptr;
  TsLabelFX* sLabelFX3 = nullptr;
  TsComboBox* sComboBox1 = nullptr;
  TsLabelFX* sLabelFX4 = nullptr;
  TsWebLabel* sWebLabel2 = nullptr;
  TsLabelFX* sLabelFX5 = nullptr;
  TsCheckBox* sCheckBox3 = nullptr;
  TsWebLabel* sWebLabel1 = nullptr;
  bool bool64bit = false;
  std::wstring GLPathProgram;
  std::wstring GLPathSystem;

  void FormCreate(TObject* sender);
  void sSpeedButton1Click(TObject* sender);
  void sDirectoryEdit1AfterDialog(TObject* sender, std::wstring& name, bool& action);
  void sButton1Click(TObject* sender);
  void CreateShotCut(const std::wstring& SourceFile, const std::wstring& ShortCutName, const std::wstring& SourceParams);

 protected:
  // Binds the fields to the components the layout created.
  void LayoutRead() override;

 private:
  void Log(const std::wstring& line) { sMemo1->AddLine(line); }
  // Extracts one payload resource to fileName, then moves the gauge on and lets the window
  // repaint.
  void Extract(const std::wstring& resourceName, const std::wstring& fileName);
};

// The one setup window.
extern TForm1* Form1;
// Set once a whole install has run: the install button then closes the window.
extern bool InstallFinished;

// The classes the stored layout may name.
const TClassRegistry& SetupClasses();

// The program's own version text ("0.14.2 [Build: 104]"), empty when the version resource is
// missing or empty.
std::wstring GetVersionText();
