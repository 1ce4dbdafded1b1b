#pragma once
// The standard button captions, set by control name on whatever window is given.

class QWidget;

namespace zr50 {

struct Program;

void SetCloseCaption(const Program& p, QWidget* window);    // "CommandClose"
void SetHelpCaption(const Program& p, QWidget* window);     // "CommandHelp"
void SetCommonButtonCaption(const Program& p, QWidget* window);
void SetOkCancelCaptions(const Program& p, QWidget* window);  // "CommandOK", "CommandCancel"
void SetCommandCaptions(const Program& p, QWidget* window);   // "Command1", "Command2"

}  // namespace zr50
