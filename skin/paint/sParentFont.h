// The section whose font a label-like control without a skin state of its own takes from the
// controls it stands on: labels and the speed button share it.
#pragma once
class TControl;
class TsSkinManager;

// Walks up from the control's parent: a parent with a valid section that is mostly see-through
// (state-0 transparency above 50) and has no border mask drawn over its content passes the
// question to its own parent; otherwise its section answers when it gives its own font (the
// default when it does not). A parent that reports no section (neither its skin state, command
// 37, nor its section, command 26), or no parent window at all, gives the default.
int ParentFontIndex(TControl& control, int defaultIndex, TsSkinManager* manager);
