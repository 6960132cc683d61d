#include "dialogs/ModalRunner.h"

#include <utility>

int ModalRunner::Run(QDialog& dialog)
{
    if (Current())
        return Current()(dialog);
    return dialog.exec();
}

ModalRunner::Runner& ModalRunner::Current()
{
    static Runner runner;
    return runner;
}

ModalRunner::Scope::Scope(Runner runner) : previous(std::exchange(Current(), std::move(runner))) {}

ModalRunner::Scope::~Scope()
{
    Current() = std::move(previous);
}
