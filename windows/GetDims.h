#pragma once
// The number dialog: asks for a whole number between nMin and nMax. Callers set n, nMin,
// nMax, the caption and the label, show it modally and read n afterwards.

#include <QDialog>
#include <QPointer>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TGetDimsF : public QDialog {
  Q_OBJECT
 public:
  explicit TGetDimsF(QWidget* parent = nullptr);

  void FormShow();
  // Raises EConvertError when the edit holds no number; n and the dialog stay as they were.
  void OKBitBtnClick();
  void CancelBitBtnClick();
  bool FormCloseQuery() const;
  void FormClose();
  // OK, Cancel, Escape and the window's close button all end in one of these two; either
  // way the result follows n, not the button.
  void accept() override;
  void reject() override;

  QLabel* EditLabel = nullptr;
  QLineEdit* DimsEdit = nullptr;
  QPushButton* CancelBitBtn = nullptr;
  QPushButton* OKBitBtn = nullptr;

  int n = 0;
  int nMin = 0;
  int nMax = 0;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  bool InRange() const { return nMin <= n && n <= nMax; }
  void TryClose();
  // Set by Cancel: the dialog may then close whatever n is. It hides QDialog::done(int),
  // which is reached through accept() and reject() only.
  bool done = false;
};

// Shows the number dialog modally; the number chosen, which after Cancel is the value given.
// While it is open, *slot (when given) points at it.
std::optional<int> RunGetDims(QWidget* parent, const std::string& caption, const std::string& label,
                              int value, int min, int max, QPointer<QWidget>* slot = nullptr);
