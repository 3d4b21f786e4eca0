#pragma once
// A voucher screen as the suite's voucher screens hand their controls to the
// voucher class: the three item grids on the tabs of a tab control (tasks,
// articles, other concepts), the summary grid below it, the grids' editors
// and a status bar whose fourth panel shows the current row and whose panel
// keyed "Stock" the article's stock. Used by the tests and by the picture
// tool.
#include "platform/form.h"

class MSFlexGrid;
class SSTab;
class StatusBar;
class TextBox;
class ClsCmnCptes;

class PantallaCpte : public Form {
 public:
  PantallaCpte();

  // Lays the grids out for the voucher type.
  void Inicializa(ClsCmnCptes& cptes, const QString& tc);

  SSTab* SSTab1;
  MSFlexGrid* MSFlexGrid1;
  MSFlexGrid* MSFlexGrid2;
  MSFlexGrid* MSFlexGrid3;
  MSFlexGrid* MSFlexGrid4;
  TextBox* TxtEdit;
  TextBox* TxtEdit2;
  TextBox* TxtEdit3;
  StatusBar* StatusBar1;
};
