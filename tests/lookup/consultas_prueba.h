#pragma once
// A started program on a small database of customers, technicians,
// articles and families, for the look-up tests; and helpers that drive the
// list form a look-up shows.
#include <QApplication>
#include <QTest>
#include <functional>

#include "lookup/lib_frm_cons3.h"
#include "platform/controles/combobox.h"
#include "platform/controles/commandbutton.h"
#include "platform/controles/listview.h"
#include "platform/vb.h"
#include "session/mod_global.h"
#include "support/entorno.h"
#include "support/lineas.h"

class Consultas : public ConEntorno {
 protected:
  void SetUp() override {
    e.CreaBase();
    e.Inicia();
    ASSERT_TRUE(gDatos.Conectado());
    e.Sql("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, NOMBRE, DADA_DE_BAJA) VALUES "
          "('   1', 'Peña Hnos', 'peña', 0), ('   2', 'Gomez SA', 'GARCIA', 0), "
          "('  12', 'Perez O''Hara', 'PEREZ', 0), ('  13', 'Bajas SRL', 'PEREZ BAJA', 1), "
          "('  20', '100% Algodón', 'ALGODON 100%', 0), ('  21', 'Mil Algodones', 'ALGODON 1000', 0), "
          "('  22', 'Ana_Maria', 'ANA_MARIA', 0), ('  23', 'Ana Maria', 'ANAXMARIA', 0)");
    e.Sql("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   1', 'Juan Peña'), ('   2', 'Ana Gómez'), "
          "('   3', 'Luis Díaz')");
    // Articles: stock levels 1, 2, 3, 4, 4 by order point and stock; one suspended.
    const char* articulos[][4] = {{"A1", "Arandela", "0", "5"},     {"A2", "Bulon", "10", "20"},
                                  {"A3", "Clavo", "10", "3"},       {"A4", "Destornillador", "10", "10"},
                                  {"A5", "Escuadra", "0", "0"},     {"A6", "Tornillo O'Brien", "0", "1"}};
    for (const auto& a : articulos) {
      const QString id = Articulo(a[0]);
      e.Sql(QString("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, PUNTOPEDIDO, SUSPENDIDO) "
                    "VALUES (%1, %2, '   1', %3, %4)")
                .arg(ClsDatos::Literal(id), ClsDatos::Literal(a[1]), a[2], QString(a[0]) == "A6" ? "1" : "0"));
      e.Sql(QString("INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK) "
                    "VALUES (%1, '   1', '   1', %2)")
                .arg(ClsDatos::Literal(id), a[3]));
    }
  }

  static QString Articulo(const QString& codigo) { return codigo.rightJustified(25); }

  // Plans the next modal list form: the action drives it.
  void ConLista(std::function<void(Lib_FrmCons3&)> accion) {
    e.ui().accionesModales.push_back([accion](Form& f) {
      auto& lista = dynamic_cast<Lib_FrmCons3&>(f);
      QApplication::setActiveWindow(&lista);
      accion(lista);
    });
  }

  // A look-up of a statement (or table) whose list the action drives.
  void Busca(const QString& sql, std::function<void(Lib_FrmCons3&)> accion, const QString& campoDevuelto = "CODIGO") {
    ConLista(std::move(accion));
    gConsulta->CampoDevuelto = campoDevuelto;
    gConsulta->ConsultaSearch(sql);
  }

  // The texts of one column (0: the lines' text) in the list's order.
  static QStringList Columna(Lib_FrmCons3& f, int columna) {
    QStringList r;
    for (int i = 1; i <= f.ListView1->ListItems().Count(); ++i) {
      ListItem* l = f.ListView1->ListItems()(i);
      r << (columna == 0 ? l->Text() : l->SubItems(columna));
    }
    return r;
  }

  static QString Seleccionada(Lib_FrmCons3& f) {
    ListItem* l = f.ListView1->SelectedItem();
    return l ? l->Text() : QString("<ninguna>");
  }

  static ListItem* Linea(Lib_FrmCons3& f, const QString& texto) { return LineaDe(f.ListView1, 0, texto); }

  static void Selecciona(Lib_FrmCons3& f, const QString& texto) {
    f.ListView1->SetSelectedItem(Linea(f, texto));
    f.ListView1->setFocus();
  }
};
