#include "tests/support/answers.h"

#include "platform/ui/dialogrunner.h"
#include "platform/ui/filedialogs.h"
#include "platform/ui/messagebox.h"

DialogAnswersScope::DialogAnswersScope()
{
    MessageBox::resetForTest();
    MessageBox::setNeverBlock(true);
    FileDialogs::resetForTest();
    DialogRunner::resetForTest();
}

DialogAnswersScope::~DialogAnswersScope()
{
    MessageBox::resetForTest();
    FileDialogs::resetForTest();
    DialogRunner::resetForTest();
}
