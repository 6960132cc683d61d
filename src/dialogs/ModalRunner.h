#pragma once

#include <QDialog>

#include <functional>

// Runs our modal dialogs. Tests install a runner that answers a dialog
// without entering a modal loop; the program uses exec().
class ModalRunner
{
  public:
    using Runner = std::function<int(QDialog&)>;

    // The dialog's result: exec(), or what the installed runner returns.
    static int Run(QDialog& dialog);

    // Installs a runner for the lifetime of the scope, then restores the previous one.
    class Scope
    {
      public:
        explicit Scope(Runner runner);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        Runner previous;
    };

  private:
    static Runner& Current();
};
