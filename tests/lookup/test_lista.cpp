// The list pick form: columns and their widths, the width file, stock
// colours, searching as the user types, the server filter, sorting,
// quantities, and the stock-shortage note.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "consultas_prueba.h"
#include "support/pegado.h"
#include "platform/controles/hscrollbar.h"

namespace {

const QString kClientes = "SELECT TOP 1000 NOMBRE,CODIGO,RAZON_SOCIAL FROM VT_CLIENTES ORDER BY NOMBRE";

// A list form of its own (not through the service) on a statement.
class ListaConsulta : public Consultas {
 protected:
  std::unique_ptr<Lib_FrmCons3> f = std::make_unique<Lib_FrmCons3>();

  void Muestra(const QString& sql, std::function<void(Lib_FrmCons3&)> accion) {
    f->Sql = sql;
    ConLista(std::move(accion));
    f->Show(1);
  }
  QString Anchos() {
    QFile a(Lib_FrmCons3::ArchivoAnchos());
    EXPECT_TRUE(a.open(QIODevice::ReadOnly));
    return QString::fromLatin1(a.readAll());
  }
  // Types the text into a search box and presses F5 there.
  static void F5(Lib_FrmCons3& l, int caja, const QString& texto) {
    l.CmbSearch(caja).SetText(texto);
    QTest::keyClick(&l.CmbSearch(caja), Qt::Key_F5);
  }
  std::vector<int> AnchosDe(Lib_FrmCons3& l) {
    std::vector<int> r;
    for (int i = 1; i <= l.ListView1->ColumnHeaders().Count(); ++i) r.push_back(l.ListView1->ColumnHeaders()(i)->Width());
    return r;
  }
  // The widths the list works out itself for the clients, shown and
  // cancelled.
  std::vector<int> AnchosCalculados() {
    std::vector<int> r;
    Muestra(kClientes, [&](Lib_FrmCons3& l) {
      r = AnchosDe(l);
      l.CmdCancelar->click();
    });
    return r;
  }
};

}  // namespace

TEST_F(ListaConsulta, ColumnsAreAsWideAsTheirFieldsUpToSixtyCharacters) {
  e.Sql("CREATE TABLE T_ANCHOS (LARGO VARCHAR(200), CORTO VARCHAR(10), LIBRE TEXT)");
  e.Sql("INSERT INTO T_ANCHOS VALUES ('a', 'b', 'doce letras.'), ('c', 'd', 'x')");
  Muestra("SELECT LARGO, CORTO, LIBRE FROM T_ANCHOS", [&](Lib_FrmCons3& l) {
    ASSERT_EQ(l.ListView1->ColumnHeaders().Count(), 3);
    EXPECT_EQ(l.ListView1->ColumnHeaders()(1)->Width(), l.TextWidth(QString(60, 'X')));
    EXPECT_EQ(l.ListView1->ColumnHeaders()(2)->Width(), l.TextWidth(QString(10, 'X')));
    // A column without a declared size is as wide as its longest text.
    EXPECT_EQ(l.ListView1->ColumnHeaders()(3)->Width(), l.TextWidth(QString(12, 'X')));
    EXPECT_EQ(l.CmbSearch.Count(), 3);
    EXPECT_EQ(l.CmbSearch(2).DataField, "LIBRE");
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, PriceColumnsOfArticlesTakeTheirListNames) {
  Muestra("SELECT DESCRIPCION, PRECIO1, PRECIO2, PRECIO4 FROM V_MA_ARTICULOS", [&](Lib_FrmCons3& l) {
    QStringList titulos;
    for (int i = 1; i <= 4; ++i) titulos << l.ListView1->ColumnHeaders()(i)->Text();
    EXPECT_EQ(titulos, (QStringList{"DESCRIPCION", "Público", "Mayorista", " "}));
    EXPECT_EQ(l.CmbSearch(1).DataField, "PRECIO1");  // the filter still uses the field
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, WidthFileLinesSetTheWidthsTheyHave) {
  const std::vector<int> calculados = AnchosCalculados();
  ASSERT_EQ(calculados.size(), 3u);
  e.EscribeArchivo("CONSULTASLEN.BVX", "basura sin comillas\r\n"
                                       "\"VT_CLIENTES\"\r\n"
                                       "\"VT_CLIENTES\",\"abc|-30|\"\r\n"
                                       "\"vt_clientes\",\"1995|1500|\"\r\n"
                                       "\"OTRA\",\"9000|9000|9000|\"\n");
  f = std::make_unique<Lib_FrmCons3>();
  Muestra(kClientes, [&](Lib_FrmCons3& l) {
    EXPECT_EQ(l.ClaveAnchos(), "VT_CLIENTES");
    EXPECT_EQ(AnchosDe(l), (std::vector<int>{1995, 1500, calculados[2]}));
    // The search boxes stand over their columns.
    EXPECT_EQ(ATwips(l.CmbSearch(1).x()), l.ListView1->ColumnHeaders()(2)->Left());
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, WidthsAreSavedReplacingOnlyTheirTablesLine) {
  e.EscribeArchivo("CONSULTASLEN.BVX", "\"V_TA_TECNICOS\",\"900|900|\"\r\n"
                                       "\"VT_CLIENTES\",\"600|600|600|\"\r\n"
                                       "\"OTRA\",\"30|\"\r\n");
  f->GrabarCfg = true;
  Muestra(kClientes, [&](Lib_FrmCons3& l) {
    EXPECT_EQ(AnchosDe(l), (std::vector<int>{600, 600, 600}));
    l.ListView1->ColumnHeaders()(2)->SetWidth(3000);
    l.CmdAceptar->click();
  });
  ASSERT_TRUE(f->Unload());
  EXPECT_EQ(Anchos(), "\"V_TA_TECNICOS\",\"900|900|\"\r\n"
                      "\"OTRA\",\"30|\"\r\n"
                      "\"VT_CLIENTES\",\"600|3000|600|\"\r\n");
  EXPECT_FALSE(QFileInfo::exists(e.Ruta("CONSULTASLEN.AUX")));
  // Read back by the next look-up.
  f = std::make_unique<Lib_FrmCons3>();
  Muestra(kClientes, [&](Lib_FrmCons3& l) {
    EXPECT_EQ(AnchosDe(l), (std::vector<int>{600, 3000, 600}));
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, AFailedSaveKeepsTheOldFileAndTellsWhy) {
  e.EscribeArchivo("CONSULTASLEN.BVX", "\"OTRA\",\"30|\"\r\n");
  QDir(e.Carpeta()).mkdir("CONSULTASLEN.AUX");  // the temporary file cannot be written
  f->GrabarCfg = true;
  Muestra(kClientes, [&](Lib_FrmCons3& l) { l.CmdCancelar->click(); });
  ASSERT_TRUE(f->Unload());
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 1);
  EXPECT_EQ(e.ui().De("MsgBox")[0].titulo, "Aviso al Operador");
  EXPECT_EQ(Anchos(), "\"OTRA\",\"30|\"\r\n");
  EXPECT_EQ(f->ListView1->ListItems().Count(), 0);  // the unload went on
}

// A pipe or a device named as the width file is no width file: the list
// opens with its computed widths, and saving them leaves it as it is and
// says why. Whoever opens the pipe to read it is answered with widths (so a
// read never waits for ever and shows), and the device must not be read.
TEST_F(ListaConsulta, APipeOrADeviceAtTheWidthFilesPathIsNoWidthFile) {
  const std::vector<int> calculados = AnchosCalculados();
  const QByteArray ruta = QFile::encodeName(Lib_FrmCons3::ArchivoAnchos());
  std::atomic<bool> parar = false;
  std::thread escritor([&] {
    while (!parar) {
      const int fd = ::open(ruta.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        const char linea[] = "\"VT_CLIENTES\",\"1995|1500|1500|\"\r\n";
        [[maybe_unused]] const ssize_t n = ::write(fd, linea, sizeof linea - 1);
        ::close(fd);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  const auto leidos = [] {
    QFile io("/proc/self/io");
    if (!io.open(QIODevice::ReadOnly)) return -1LL;
    for (const QByteArray& l : io.readAll().split('\n'))
      if (l.startsWith("rchar:")) return l.mid(6).trimmed().toLongLong();
    return -1LL;
  };
  const long long antes = leidos();
  for (const char* cosa : {"pipe", "device"}) {
    SCOPED_TRACE(cosa);
    if (QByteArray(cosa) == "pipe") ASSERT_EQ(mkfifo(ruta.constData(), 0600), 0);
    else ASSERT_EQ(symlink("/dev/zero", ruta.constData()), 0);
    const int avisos = e.ui().Cuenta("MsgBox");
    f = std::make_unique<Lib_FrmCons3>();
    f->GrabarCfg = true;
    Muestra(kClientes, [&](Lib_FrmCons3& l) {
      EXPECT_EQ(AnchosDe(l), calculados);
      l.CmdAceptar->click();
    });
    ASSERT_TRUE(f->Unload());
    EXPECT_EQ(e.ui().Cuenta("MsgBox"), avisos + 1);
    struct stat st {};
    ASSERT_EQ(lstat(ruta.constData(), &st), 0);
    EXPECT_TRUE(QByteArray(cosa) == "pipe" ? S_ISFIFO(st.st_mode) : S_ISLNK(st.st_mode));
    ASSERT_EQ(unlink(ruta.constData()), 0);
  }
  parar = true;
  escritor.join();
  EXPECT_LT(leidos() - antes, 64LL << 20);  // /dev/zero was not read
  EXPECT_FALSE(QFileInfo::exists(e.Ruta("CONSULTASLEN.AUX")));
}

TEST_F(ListaConsulta, StockArticlesShareTheArticleWidthsAndWideListsScroll) {
  e.Sql("CREATE TABLE STK_MA_ARTICULOS (IDARTICULO TEXT, DESCRIPCION TEXT)");
  e.EscribeArchivo("CONSULTASLEN.BVX", "\"VT_MA_ARTICULOS\",\"19995|19995|\"\r\n");
  Muestra("SELECT IDARTICULO, DESCRIPCION FROM STK_MA_ARTICULOS", [&](Lib_FrmCons3& l) {
    EXPECT_EQ(l.ClaveAnchos(), "VT_MA_ARTICULOS");
    EXPECT_EQ(AnchosDe(l), (std::vector<int>{19995, 19995}));
    EXPECT_EQ(l.HScroll1->Max(), 32700);
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, ArticleLinesAreColouredByStockLevel) {
  f->MuestraStock = "si";
  f->StkNivel1 = "32768";
  f->StkNivel2 = "8421376";
  f->StkNivel3 = "33023";
  f->StkNivel4 = QString("255");
  Muestra("SELECT DESCRIPCION, PUNTOPEDIDO, STOCK FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
          [&](Lib_FrmCons3& l) {
            std::vector<long> colores;
            for (int i = 1; i <= l.ListView1->ListItems().Count(); ++i) {
              colores.push_back(l.ListView1->ListItems()(i)->ForeColor());
              EXPECT_TRUE(l.ListView1->ListItems()(i)->Bold());
            }
            EXPECT_EQ(colores, (std::vector<long>{32768, 8421376, 33023, 255, 255}));
            l.CmdCancelar->click();
          });
  // Without the switch, or without the stock column, nothing is coloured
  // and nothing is reported.
  for (const auto& [muestra, sql] : {std::pair<QString, QString>{"NO", "SELECT DESCRIPCION, PUNTOPEDIDO, STOCK FROM VT_MA_ARTICULOS"},
                                     {"SI", "SELECT DESCRIPCION, PUNTOPEDIDO FROM VT_MA_ARTICULOS"}}) {
    f = std::make_unique<Lib_FrmCons3>();
    f->MuestraStock = muestra;
    f->StkNivel1 = f->StkNivel2 = f->StkNivel3 = f->StkNivel4 = "255";
    Muestra(sql, [&](Lib_FrmCons3& l) {
      EXPECT_EQ(l.ListView1->ListItems().Count(), 6);
      for (int i = 1; i <= l.ListView1->ListItems().Count(); ++i) {
        EXPECT_EQ(l.ListView1->ListItems()(i)->ForeColor(), -1);
        EXPECT_FALSE(l.ListView1->ListItems()(i)->Bold());
      }
      l.CmdCancelar->click();
    });
  }
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaConsulta, TypingInABoxSearchesItsColumnIgnoringCase) {
  Muestra("SELECT CODIGO, RAZON_SOCIAL FROM MA_CLIENTES ORDER BY CODIGO", [&](Lib_FrmCons3& l) {
    l.CmbSearch(1).setFocus();
    QTest::keyClicks(&l.CmbSearch(1), "go");
    EXPECT_EQ(l.CmbSearch(1).Text(), "go");
    EXPECT_EQ(Seleccionada(l), "2");  // Gomez SA
    l.CmbSearch(1).SetText("PEÑA");  // accented capitals find lower case
    EXPECT_EQ(Seleccionada(l), "1");
    l.CmbSearch(1).SetText("  mil");
    EXPECT_EQ(Seleccionada(l), "21");
    l.CmbSearch(1).SetText("zz");  // nothing begins so: the selection stays
    EXPECT_EQ(Seleccionada(l), "21");
    l.CmbSearch(1).SetText("");
    EXPECT_EQ(Seleccionada(l), "1");
    // Box 0 searches the first column, its leading blanks removed.
    l.CmbSearch(0).SetText("2");
    EXPECT_EQ(Seleccionada(l), "2");
    l.CmbSearch(0).SetText("22");
    EXPECT_EQ(Seleccionada(l), "22");
    // A column the list does not have fails, and the failure finds no line,
    // even for an empty text, which the first line matches in a column it has.
    EXPECT_EQ(l.Busqueda(1, ""), 1);
    EXPECT_EQ(l.Busqueda(2, ""), 0);
    EXPECT_EQ(l.Busqueda(2, "x"), 0);
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, TheFirstSearchTextIsAppliedAtLoad) {
  f->FiltroInicial = "ana";
  Muestra("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& l) {
    EXPECT_EQ(l.CmbSearch(0).Text(), "ana");
    EXPECT_EQ(Seleccionada(l), "ANA_MARIA");
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, KeysTypedOnTheListGoToTheCurrentSearchBox) {
  Muestra("SELECT NOMBRE, CODIGO FROM MA_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& l) {
    l.ListView1->setFocus();
    QTest::keyClicks(l.ListView1, "pe");
    EXPECT_EQ(l.CmbSearch(0).Text(), "PE");
    EXPECT_EQ(Seleccionada(l), "PEREZ");
    QTest::keyClick(l.ListView1, Qt::Key_Backspace);
    EXPECT_EQ(l.CmbSearch(0).Text(), "P");
    l.ListView1->setFocus();
    QTest::keyClick(l.ListView1, Qt::Key_Ntilde, Qt::NoModifier);  // no key code: goes by its character
    EXPECT_EQ(l.CmbSearch(0).Text(), "PÑ");
    // The search box over the code column, then the numeric keypad, from
    // another line than the one it finds.
    l.CmbSearch_GotFocus(1);
    Selecciona(l, "GARCIA");
    ASSERT_EQ(Seleccionada(l), "GARCIA");
    QTest::keyClick(l.ListView1, Qt::Key_1, Qt::KeypadModifier);
    QTest::keyClick(l.ListView1, Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(l.CmbSearch(1).Text(), "12");
    EXPECT_EQ(Seleccionada(l), "PEREZ");
    // Down in a search box moves to the list.
    QTest::keyClick(&l.CmbSearch(1), Qt::Key_Down);
    EXPECT_TRUE(l.ListView1->hasFocus());
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, F5FiltersOnTheDatabaseAndNuevaBusquedaStartsAgain) {
  Busca("SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& l) {
    ASSERT_EQ(l.ListView1->ListItems().Count(), 8);
    F5(l, 0, "PEREZ");
    EXPECT_EQ(l.Sql, "SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES  where NOMBRE like '%PEREZ%' ORDER BY NOMBRE  ");
    EXPECT_EQ(Columna(l, 0), (QStringList{"PEREZ", "PEREZ BAJA"}));
    EXPECT_EQ(l.CmbSearch(0).Text(), "");
    F5(l, 1, "12");
    EXPECT_EQ(l.Sql, "SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES  where NOMBRE like '%PEREZ%'  and "
                     "CODIGO like '%12%' ORDER BY NOMBRE   ");
    EXPECT_EQ(Columna(l, 0), QStringList{"PEREZ"});
    l.CmdNueva->click();
    EXPECT_EQ(l.Sql, "SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES ORDER BY NOMBRE  ");
    EXPECT_EQ(l.ListView1->ListItems().Count(), 8);
    EXPECT_EQ(l.ListView1->ColumnHeaders().Count(), 2);
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, F5TakesQuotesLiterallyAndPercentAndUnderscoreAsWildcards) {
  const QString nul(QChar(0));
  e.Sql("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, NOMBRE, DADA_DE_BAJA) VALUES ('  30', 'Casa Blanca', " +
        ClsDatos::Literal("CASA" + nul + "BLANCA") + ", 0)");
  auto filtra = [&](Lib_FrmCons3& l, int caja, const QString& texto) {
    l.CmdNueva->click();
    F5(l, caja, texto);
    return Columna(l, 0);
  };
  Busca(kClientes, [&](Lib_FrmCons3& l) {
    EXPECT_EQ(filtra(l, 0, "100%"), (QStringList{"ALGODON 100%", "ALGODON 1000"}));
    EXPECT_EQ(filtra(l, 0, "a_m"), (QStringList{"ANA_MARIA", "ANAXMARIA"}));
    EXPECT_EQ(filtra(l, 0, "ana%ria"), (QStringList{"ANA_MARIA", "ANAXMARIA"}));
    EXPECT_EQ(filtra(l, 0, " 1000"), QStringList{"ALGODON 1000"});  // the text as typed, blanks included
    EXPECT_EQ(filtra(l, 2, "o'h"), QStringList{"PEREZ"});
    EXPECT_EQ(filtra(l, 0, "x' OR '1'='1"), QStringList());
    EXPECT_TRUE(l.Sql.contains("like '%x'' OR ''1''=''1%'"));
    EXPECT_EQ(filtra(l, 0, "[a"), QStringList());
    EXPECT_EQ(filtra(l, 0, "peña"), QStringList{"peña"});
    // A NUL pasted into the box is searched as it stands.
    l.CmdNueva->click();
    Pega(&l.CmbSearch(0), "A" + nul + "B");
    EXPECT_EQ(l.CmbSearch(0).Text(), "A" + nul + "B");
    QTest::keyClick(&l.CmbSearch(0), Qt::Key_F5);
    EXPECT_EQ(Columna(l, 0), QStringList{"CASA" + nul + "BLANCA"});
    EXPECT_EQ(filtra(l, 0, "AB"), QStringList());
    // A lone half of a character pasted into the box is no character.
    for (const QChar mitad : {QChar(0xD83D), QChar(0xDE00)}) {
      l.CmdNueva->click();
      Pega(&l.CmbSearch(0), "pe" + QString(mitad) + QString::fromUtf8("ña"));
      QTest::keyClick(&l.CmbSearch(0), Qt::Key_F5);
      EXPECT_EQ(Columna(l, 0), QStringList{"peña"});
    }
    // An empty box keeps every row whose field is not null.
    EXPECT_EQ(filtra(l, 0, "").size(), 9);
    l.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaConsulta, F5KeepsTheStatementsOwnOrderByWhateverIsTyped) {
  Busca("SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES ORDER BY NOMBRE", [&](Lib_FrmCons3& l) {
    F5(l, 0, "x order by codigo where");
    EXPECT_EQ(l.ListView1->ListItems().Count(), 0);
    l.CmdNueva->click();
    F5(l, 0, "ORDER BY");
    F5(l, 0, "PEREZ");
    EXPECT_EQ(l.Sql, "SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES  where NOMBRE like '%ORDER BY%'  and "
                     "NOMBRE like '%PEREZ%' ORDER BY NOMBRE    ");
    EXPECT_EQ(l.ListView1->ListItems().Count(), 0);
    l.CmdNueva->click();
    F5(l, 1, "1");
    EXPECT_EQ(Columna(l, 0), (QStringList{"ALGODON 1000", "PEREZ", "PEREZ BAJA", "peña"}));
    l.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaConsulta, F5NarrowsAWhereHoldingAnOrAsAWhole) {
  Busca("SELECT NOMBRE, CODIGO FROM MA_CLIENTES WHERE DADA_DE_BAJA = 1 OR CODIGO = '  20' ORDER BY NOMBRE",
        [&](Lib_FrmCons3& l) {
          EXPECT_EQ(Columna(l, 0), (QStringList{"ALGODON 100%", "PEREZ BAJA"}));
          F5(l, 0, "algodon");
          EXPECT_EQ(l.Sql, "SELECT NOMBRE, CODIGO FROM MA_CLIENTES WHERE (DADA_DE_BAJA = 1 OR CODIGO = '  20')  and "
                           "NOMBRE like '%algodon%' ORDER BY NOMBRE  ");
          EXPECT_EQ(Columna(l, 0), QStringList{"ALGODON 100%"});
          l.CmdCancelar->click();
        });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaConsulta, F5WithoutAnOrderByAppendsTheCondition) {
  Busca("SELECT NOMBRE, CODIGO FROM MA_CLIENTES WHERE DADA_DE_BAJA = 0", [&](Lib_FrmCons3& l) {
    F5(l, 0, "ana");
    EXPECT_EQ(l.Sql, "SELECT NOMBRE, CODIGO FROM MA_CLIENTES WHERE DADA_DE_BAJA = 0  and NOMBRE like '%ana%'  ");
    EXPECT_EQ(l.ListView1->ListItems().Count(), 2);
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, AColumnClickSortsOneWayThenTheOther) {
  Muestra("SELECT NOMBRE, CODIGO FROM MA_CLIENTES WHERE CODIGO IN ('   1', '   2', '  12')", [&](Lib_FrmCons3& l) {
    QHeaderView* cabecera = l.ListView1->header();
    auto clic = [&](int seccion) {
      QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {},
                        QPoint(cabecera->sectionViewportPosition(seccion) + 5, cabecera->height() / 2));
    };
    clic(1);
    EXPECT_EQ(Columna(l, 1), (QStringList{"  12", "   2", "   1"}));
    clic(1);
    EXPECT_EQ(Columna(l, 1), (QStringList{"   1", "   2", "  12"}));
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, QuantityKeysChangeTheQuantityColumn) {
  f->CheckBoxes = true;
  f->UsaCantidades = true;
  e.ui().respuestasInput = {QString("abc"), std::nullopt, QString("3")};
  Muestra("SELECT NOMBRE, '0.00' AS Cantidad FROM MA_CLIENTES WHERE CODIGO = '   1'", [&](Lib_FrmCons3& l) {
    ListItem* linea = l.ListView1->ListItems()(1);
    l.ListView1->SetSelectedItem(linea);
    auto tecla = [&](Qt::Key k, Qt::KeyboardModifiers m = {}) {
      QTest::keyClick(l.ListView1, k, m);
      return linea->SubItems(1);
    };
    EXPECT_EQ(tecla(Qt::Key_Insert), "1.0");
    EXPECT_TRUE(linea->Checked());
    EXPECT_EQ(tecla(Qt::Key_Insert), "2.0");
    EXPECT_EQ(tecla(Qt::Key_Delete), "1.0");
    EXPECT_TRUE(linea->Checked());
    EXPECT_EQ(tecla(Qt::Key_Delete), "0.00");
    EXPECT_FALSE(linea->Checked());
    EXPECT_EQ(tecla(Qt::Key_Insert, Qt::ShiftModifier), "0.00");  // answered abc
    EXPECT_TRUE(linea->Checked());
    linea->SetChecked(false);
    EXPECT_EQ(tecla(Qt::Key_Insert, Qt::ShiftModifier), "0.00");  // cancelled: left as it was
    EXPECT_FALSE(linea->Checked());
    EXPECT_EQ(tecla(Qt::Key_Insert, Qt::ShiftModifier), "3.00");
    EXPECT_TRUE(linea->Checked());
    l.CmdAceptar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("InputBox"), 3);
  EXPECT_EQ(e.ui().De("InputBox")[0].texto, "Ingrese la Cantidad del Articulo...");
  EXPECT_EQ(e.ui().De("InputBox")[0].titulo, "Carga de Datos");
  EXPECT_EQ(f->Valores, QStringList{"peña"});
  EXPECT_EQ(f->Cantidades, QStringList{"3.00"});
}

TEST_F(ListaConsulta, QuantitiesReadTheDecimalComma) {
  struct Local {
    Local() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    ~Local() { QLocale::setDefault(QLocale::c()); }
  } local;
  f->CheckBoxes = true;
  f->UsaCantidades = true;
  e.ui().respuestasInput = {QString("2,25")};
  Muestra("SELECT NOMBRE, '1,50' AS Cantidad FROM MA_CLIENTES WHERE CODIGO = '   1'", [&](Lib_FrmCons3& l) {
    ListItem* linea = l.ListView1->ListItems()(1);
    l.ListView1->SetSelectedItem(linea);
    QTest::keyClick(l.ListView1, Qt::Key_Insert);
    EXPECT_EQ(linea->SubItems(1), "2,5");
    QTest::keyClick(l.ListView1, Qt::Key_Delete);
    QTest::keyClick(l.ListView1, Qt::Key_Delete);
    EXPECT_EQ(linea->SubItems(1), "0,5");
    EXPECT_TRUE(linea->Checked());
    QTest::keyClick(l.ListView1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(linea->SubItems(1), "2,25");
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, QuantityKeysNeedTheSwitchAndTheColumn) {
  f->CheckBoxes = true;
  Muestra("SELECT NOMBRE, '0.00' AS Cantidad FROM MA_CLIENTES WHERE CODIGO = '   1'", [&](Lib_FrmCons3& l) {
    l.ListView1->SetSelectedItem(l.ListView1->ListItems()(1));
    QTest::keyClick(l.ListView1, Qt::Key_Insert);
    EXPECT_EQ(l.ListView1->ListItems()(1)->SubItems(1), "0.00");
    l.UsaCantidades = true;
    l.ListView1->ColumnHeaders()(2)->SetText("Otra");
    QTest::keyClick(l.ListView1, Qt::Key_Insert);
    l.CmdCancelar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "ListView1_KeyDown");
}

TEST_F(ListaConsulta, AcceptWithCheckBoxesAndNothingTickedReturnsAnEmptyList) {
  f->CheckBoxes = true;
  Muestra("SELECT NOMBRE, CODIGO FROM MA_CLIENTES", [&](Lib_FrmCons3& l) {
    l.ListView1->SetSelectedItem(l.ListView1->ListItems()(2));
    l.CmdAceptar->click();
  });
  EXPECT_EQ(f->Valores, QStringList());
  EXPECT_FALSE(f->ValorDevuelto.isValid());
  EXPECT_EQ(f->CampoDevuelto, "NOMBRE");  // the first column's caption
}

TEST_F(ListaConsulta, LinesWhoseReturnedValueIsADefaultLoadTicked) {
  // Entries and values compared trimmed and ignoring case; a part of an
  // entry is no entry.
  f->CheckBoxes = true;
  f->CampoDevuelto = "NOMBRE";
  f->ValoresDefault = "|PEÑA| garcia |PEREZ BAJ|";
  Muestra("SELECT CODIGO, NOMBRE FROM MA_CLIENTES ORDER BY CODIGO", [&](Lib_FrmCons3& l) {
    QStringList marcadas;
    for (int i = 1; i <= l.ListView1->ListItems().Count(); ++i)
      if (l.ListView1->ListItems()(i)->Checked()) marcadas << l.ListView1->ListItems()(i)->SubItems(1);
    EXPECT_EQ(marcadas, QStringList({"peña", "GARCIA"}));
    l.CmdCancelar->click();
  });
}

TEST_F(ListaConsulta, F12NotesTheSelectedArticleAsAShortage) {
  e.ui().respuestasMsgBox = {vbmsg::Yes, vbmsg::No};
  const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
  Busca("select DESCRIPCION, IDARTICULO from V_MA_ARTICULOS order by DESCRIPCION", [&](Lib_FrmCons3& l) {
    Selecciona(l, "Tornillo O'Brien");
    QTest::keyClick(l.ListView1, Qt::Key_F12);
    QTest::keyClick(l.ListView1, Qt::Key_F12);  // answered No
    l.ListView1->SetSelectedItem(nullptr);
    QTest::keyClick(l.ListView1, Qt::Key_F12);  // no line: nothing to ask
    l.CmdCancelar->click();
  }, "IDARTICULO");
  ASSERT_EQ(e.ui().Cuenta("MsgBox"), 2);
  const auto pregunta = e.ui().De("MsgBox")[0];
  EXPECT_EQ(pregunta.texto, "Desea informar el articulo A6 Tornillo O'Brien\r\ncomo un faltante de stock?");
  EXPECT_EQ(pregunta.titulo, "Atención!");
  EXPECT_EQ(pregunta.valor, vbmsg::Question | vbmsg::YesNo);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_FALTANTES").toInt(), 1);
  EXPECT_EQ(e.Valor("SELECT IDARTICULO FROM V_MV_FALTANTES").toString(), Articulo("A6"));
  EXPECT_EQ(e.Valor("SELECT DESCRIPCION FROM V_MV_FALTANTES").toString(), "Tornillo O'Brien");
  EXPECT_EQ(e.Valor("SELECT USUARIO FROM V_MV_FALTANTES").toString(), "supervisor");
  const QDateTime momento = e.Valor("SELECT FECHAHORA FROM V_MV_FALTANTES").toDateTime();
  EXPECT_GE(momento, antes);
  EXPECT_LE(momento, QDateTime::currentDateTime());
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_FALTANTES WHERE FECHAHORA >= '2000-01-01'").toInt(), 1);
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}

TEST_F(ListaConsulta, F12DoesNothingOutsideArticleLookUps) {
  Busca("SELECT NOMBRE, CODIGO FROM MA_CLIENTES", [&](Lib_FrmCons3& l) {
    Selecciona(l, "PEREZ");
    QTest::keyClick(l.ListView1, Qt::Key_F12);
    l.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("MsgBox"), 0);
  EXPECT_EQ(e.Valor("SELECT COUNT(*) FROM V_MV_FALTANTES").toInt(), 0);
}

TEST_F(ListaConsulta, AStatementThatFailsIsReportedAndShowsAnEmptyList) {
  Muestra("SELECT NOMBRE FROM NO_EXISTE", [&](Lib_FrmCons3& l) {
    EXPECT_EQ(l.ListView1->ListItems().Count(), 0);
    l.CmdCancelar->click();
  });
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "FORM_LOAD");
  EXPECT_EQ(f->ValorDevuelto.toString(), "");
}

TEST_F(ListaConsulta, ANarrowListStillShowsItsButtonsWhole) {
  std::vector<QString> fuera;
  Muestra("SELECT IDTECNICO FROM V_TA_TECNICOS", [&](Lib_FrmCons3& l) {
    QApplication::processEvents();
    for (CommandButton* b : {l.CmdAceptar, l.CmdCancelar, l.CmdNueva}) {
      const QRect enVentana(b->mapTo(&l, QPoint(0, 0)), b->size());
      if (!l.rect().contains(enVentana)) fuera.push_back(b->objectName());
    }
    // Nor can the user make it narrower.
    l.resize(100, l.height());
    EXPECT_GE(ATwips(l.width()), l.AnchoMinimo());
    l.CmdCancelar->click();
  });
  EXPECT_EQ(fuera, std::vector<QString>());
}

// What of a list's headers and search boxes cannot be read at the window's
// own size: a caption the header cuts (with the sort mark a click on its
// column brings), or a search box with room for fewer than four characters
// beside its arrow, or one that lies outside the window.
QStringList Ilegibles(Lib_FrmCons3& l) {
  QApplication::processEvents();
  QStringList r;
  QHeaderView* h = l.ListView1->header();
  const QFontMetrics letraTitulo(h->font());
  for (int i = 1; i <= l.ListView1->ColumnHeaders().Count(); ++i) {
    const QString titulo = l.ListView1->ColumnHeaders()(i)->Text();
    for (auto marca : {QStyleOptionHeader::None, QStyleOptionHeader::SortDown}) {
      QStyleOptionHeader o;
      o.initFrom(h);
      o.rect = QRect(0, 0, h->sectionSize(i - 1), h->height());
      o.section = i - 1;
      o.text = titulo;
      o.sortIndicator = marca;
      const QRect rotulo = h->style()->subElementRect(QStyle::SE_HeaderLabel, &o, h);
      if (letraTitulo.horizontalAdvance(titulo) > rotulo.width())
        r << QString("header %1 \"%2\" (%3 of %4 px)").arg(i).arg(titulo).arg(rotulo.width()).arg(letraTitulo.horizontalAdvance(titulo));
    }
    ComboBox& caja = l.CmbSearch(i - 1);
    QStyleOptionComboBox oc;
    oc.initFrom(&caja);
    oc.editable = caja.isEditable();
    oc.rect = caja.rect();
    const int texto = caja.style()->subControlRect(QStyle::CC_ComboBox, &oc, QStyle::SC_ComboBoxEditField, &caja).width();
    if (texto < QFontMetrics(caja.font()).horizontalAdvance("XXXX"))
      r << QString("search box %1 (%2 px for its text)").arg(i).arg(texto);
    const QRect enVentana(caja.mapTo(&l, QPoint(0, 0)), caja.size());
    if (!caja.isVisible() || !l.rect().contains(enVentana)) r << QString("search box %1 outside the window").arg(i);
  }
  return r;
}

TEST_F(ListaConsulta, EveryHeaderAndSearchBoxIsReadableAtTheWindowsOwnSize) {
  e.Sql("CREATE TABLE T_CORTAS (LETRA VARCHAR(1), CODIGO_DE_DEPOSITO VARCHAR(4), N INTEGER)");
  e.Sql("INSERT INTO T_CORTAS VALUES ('A', '   1', 7)");
  // The technician look-up of the main window; short columns with long
  // captions, sorted by the list itself and with check boxes.
  const char* casos[] = {"V_TA_TECNICOS", "SELECT LETRA, CODIGO_DE_DEPOSITO, N FROM T_CORTAS"};
  for (const char* sql : casos) {
    SCOPED_TRACE(sql);
    QStringList ilegibles{"not shown"};
    gConsulta->Checks = QString(sql).contains("T_CORTAS");  // for this look-up only
    Busca(sql, [&](Lib_FrmCons3& l) {
      ilegibles = Ilegibles(l);
      l.CmdCancelar->click();
    });
    EXPECT_EQ(ilegibles, QStringList());
  }
}

TEST_F(ListaConsulta, TheQuantityColumnIsTheStarredOneOrAPlainCantidad) {
  f->CheckBoxes = true;
  f->UsaCantidades = true;
  // Both captions: the starred one is the quantity column.
  Muestra("SELECT NOMBRE, '7' AS Cantidad, ' 0.00' AS \"**cantidad** \" FROM MA_CLIENTES WHERE CODIGO = '   1'",
          [&](Lib_FrmCons3& l) {
            EXPECT_EQ(l.ColumnaCantidad(), 3);
            l.ListView1->SetSelectedItem(l.ListView1->ListItems()(1));
            QTest::keyClick(l.ListView1, Qt::Key_Insert);
            EXPECT_EQ(l.ListView1->ListItems()(1)->SubItems(1), "   7");  // untouched
            EXPECT_EQ(l.ListView1->ListItems()(1)->SubItems(2), "1.0");
            l.CmdAceptar->click();
          });
  EXPECT_EQ(f->Cantidades, QStringList{"1.0"});
  // Only the starred caption.
  f = std::make_unique<Lib_FrmCons3>();
  f->CheckBoxes = true;
  f->UsaCantidades = true;
  Muestra("SELECT '2' AS \"**Cantidad**\", NOMBRE FROM MA_CLIENTES WHERE CODIGO = '   1'", [&](Lib_FrmCons3& l) {
    l.ListView1->SetSelectedItem(l.ListView1->ListItems()(1));
    QTest::keyClick(l.ListView1, Qt::Key_Delete);
    EXPECT_EQ(l.ListView1->ListItems()(1)->Text(), "1.0");
    l.CmdCancelar->click();
  });
  EXPECT_EQ(e.ui().Cuenta("Error"), 0);
}
