// The embedded schema and the demo database: every object the program's
// statements name, the program's own statements running on them, and demo
// data that is complete, consistent and the same for the same seed.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "demo_db.h"
#include "platform/ado.h"
#include "platform/vb_error.h"

namespace {

// Statements run through the program's own SQLite engine, which adapts the
// server's dialect (TOP, ISNULL, DELETE without FROM) as the program does.
class Base {
 public:
  explicit Base(QString archivo) : archivo_(std::move(archivo)) {}
  ado::Resultado Corre(const QString& sql) {
    if (!m_) m_ = ado::AbreSqlite(archivo_);  // opened on first use
    return m_->Ejecuta(sql);
  }
  int Filas(const QString& sql) { return Corre(sql).Filas(); }
  QVariant Valor(const QString& sql) {
    ado::Resultado r = Corre(sql);
    return r.Filas() > 0 ? r.valores[0] : QVariant();
  }
  long long Entero(const QString& sql) { return Valor(sql).toLongLong(); }
  double Real(const QString& sql) { return Valor(sql).toDouble(); }
  QString Texto(const QString& sql) { return Valor(sql).toString(); }
  // A statement that must run; the failure names it.
  ado::Resultado Debe(const QString& sql) {
    try {
      return Corre(sql);
    } catch (const vb::Error& e) {
      ADD_FAILURE() << e.Description.toStdString();
      return {};
    }
  }

 private:
  QString archivo_;
  std::unique_ptr<ado::Motor> m_;
};

QString Q(const QString& s) { return "'" + QString(s).replace("'", "''") + "'"; }

// One small demo database shared by the tests that only read it.
class Demo : public ::testing::Test {
 public:
  static constexpr int kReportes = 60;
  static constexpr int kArticulos = 150;

 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    demo::Opciones o;
    o.reportes = kReportes;
    o.articulos = kArticulos;
    o.semilla = 424242;
    try {
      demo::CreaBaseDemo(Archivo(), o);
    } catch (const vb::Error& e) {
      error_ = e.Description;
    }
  }
  // Every test fails, rather than being skipped, when the demo could not be made.
  void SetUp() override {
    ASSERT_TRUE(error_.isEmpty()) << error_.toStdString();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static QString Archivo() { return dir_->filePath("demo.db"); }
  // A private copy for a test that writes.
  QString Copia() {
    const QString c = propio_.filePath("copia.db");
    QFile::remove(c);
    EXPECT_TRUE(QFile::copy(Archivo(), c));
    return c;
  }

  static QTemporaryDir* dir_;
  static inline QString error_;
  QTemporaryDir propio_;
  Base db{Archivo()};
};
QTemporaryDir* Demo::dir_ = nullptr;

class Esquema : public ::testing::Test {
 protected:
  void SetUp() override {
    demo::CreaEsquema(Archivo());
    db = std::make_unique<Base>(Archivo());
  }
  QString Archivo() const { return dir_.filePath("esquema.db"); }
  QTemporaryDir dir_;
  std::unique_ptr<Base> db;
};

}  // namespace

// ---------------------------------------------------------------------------
// The schema

TEST_F(Esquema, EveryObjectHasTheColumnsTheStatementsName) {
  const char* const objetos[][2] = {
      {"V_MV_DIARIOS", "ID, IDDIARIO, FECHA, TC, IDCOMPROBANTE, IdComplemento, IDTECNICO, IDTAREA, DESCRIPCION, MINUTOS, "
                       "OBSERVACIONES, AUTORIZADOPOR"},
      {"V_TA_TECNICOS", "IdTecnico, Nombre"},
      {"TA_CONFIGURACION", "CLAVE, VALOR"},
      {"ta_usuarios", "nombre, UNegocio"},
      {"TA_CONFIG_IMP_CPTE", "TC, LETRA, USUARIO, Impresora, CantCopias, CantLineas, DestinoDefault"},
      {"V_MA_ARTICULOS",
       "IDARTICULO, DESCRIPCION, codigobarra, CODIGOBARRADUN, UD_TTE, CODIGOBARRA1, CODIGOBARRA2, CODIGOBARRA3, "
       "CODIGOBARRA4, UMCB1, UMCB2, UMCB3, UMCB4, USASERIE, USALOTE, IdUnidad, IdTipo, Presentacion, Exento, Perecedero, "
       "UsaTalle, pesable, CUENTAPROVEEDOR, Costo, PRECIO1, PRECIO8, PUNTOPEDIDO, SUSPENDIDO"},
      {"VT_MA_ARTICULOS", "DESCRIPCION, IDARTICULO, SUSPENDIDO, PUNTOPEDIDO, Stock, PRECIO1, PRECIO8"},
      {"VT_CLIENTES", "RAZON_SOCIAL, CODIGO, CONTACTO, NOMBRE, Dada_De_Baja"},
      {"VT_PROVEEDORES", "RAZON_SOCIAL, CODIGO, Codigo, NOMBRE, Dada_De_Baja"},
      {"MA_CONTACTOS", "Nombre_y_Apellido, Domicilio, Localidad, Telefono"},
      {"V_TA_VENDEDORES", "NOMBRE, IDVENDEDOR"},
      {"V_MA_MANTENIMIENTOS", "DESCRIPCION, CODIGO"},
      {"V_TA_FAMILIAS", "IDFAMILIA, DESCRIPCION"},
      {"MA_POSICIONES", "IDPOSICION, iddeposito, ordeningreso"},
      {"V_MV_FALTANTES", "FechaHora, IdArticulo, Descripcion, Usuario"},
      {"V_MV_CPTEACCIONES", "TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER"},
      {"V_MV_CargosAplicados", "ID, CUENTA, SALDO, Fecha, Matricula, Concepto, Importe, Observaciones"},
      {"ma_cuentas", "Codigo, Descripcion"},
      {"V_MV_STOCK",
       "TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdCaja, IdDeposito, IDDEPOSITO_DESTINO, IdArticulo, "
       "Descripcion, NroLote, ControladoPor, IdOrigen, NroSerie, IdUnidad, Cantidad, CantidadUD, IdUnidadBase, "
       "CuentaProveedor, IdMotivoStock, PrecioVenta, Costo, Impuestos, DtoItem, Tc_Origen, IdComprobante_Origen, "
       "Id_Origen, IVARI, IVARNI, IdTecnico, EQUIV_UDBASE, IDINSERT, IDCOMPULSA"},
      {"STK_SERIES_Y_LOTES", "IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD"},
      {"STK_SALDOS_UNIDADES", "IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK"},
      {"S_TA_EQUIV", "IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente"},
      {"AC_SALDOSLAYOUT", "idposicion, nrolote, idunidadbase, saldo, iddeposito, idarticulo"},
      {"V_TA_CPTE",
       "CODIGO, Talonario, Letras, Modificanumeracion, Externo, SISTEMA, Signo, ES, fechahora_modificacion, Descripcion, "
       "A_SUC_DEFAULT, A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA, VenceA, B_ULTIMO_NRO, VenceB, C_ULTIMO_NRO, VenceC, "
       "E_ULTIMO_NRO, VenceE, R_ULTIMO_NRO, VenceR, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX, "
       "M_ULTIMO_NRO, VenceM"},
      {"TA_Comprobantes", "CODIGO, SISTEMA, TALONARIO, Letras, Modificanumeracion, Externo, A_SUC_DEFAULT, A_ULTIMO_NRO, "
                          "X_ULTIMO_NRO, X_NRO_HASTA, VenceX, fechahora_modificacion"},
      {"V_MV_CTROL_CPTE", "TC, SUCURSAL, NUMERO, LETRA"},
      {"MV_ASIENTOS", "TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, [NUMERO ASIENTO], Fecha, Importe"},
      {"V_MA_INSUMOS", "IDARTICULO, IdArticuloInsumo, IdUnidadInsumo, Cantidad"},
      {"V_ta_Rubros", "IdRubro, Descripcion"},
      {"V_ta_TipoArticulo", "IdTipo, Tipo, Descripcion"},
      {"V_MV_CPTETERCEROS", "ID, Fecha, IdComprobante, IdComplemento, FECHAENVIADO, FECHARECIBIDO"},
      {"C_RemitosPendientes", "CUENTA, ANULADA, Nombre, TC, IDCOMPROBANTE, ID, FECHA, Importe"},
      {"V_RemitosPendientes", "CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, ID, FECHA, Importe"},
      {"V_OT_Pendientes", "CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, IDCOMPlemento, ID, FECHA, Importe"},
      {"V_PR_PENDIENTES", "CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, ID, FECHA, Importe, comentarios"},
      {"VT_V_MV_Insumos_RepartoPendiente", "pendiente, TC, IDCOMPROBANTE, IDARTICULO"},
      {"VT_V_MV_INSUMOS_APLICACION", "CantidadAplicada, TCO_ORIGEN, IDCOMPROBANTEORIGEN, IDARTICULO"},
      {"V_MA_PRECIOS", "IDARTICULO, IDLISTA, DESCRIPCION, PRECIO"},
  };
  for (auto& o : objetos) db->Debe(QString("SELECT %1 FROM %2 WHERE 1 = 0").arg(o[1], o[0]));

  // The voucher tables of both sides carry the same columns.
  for (const char* lado : {"V_", "C_"}) {
    const QString p = lado;
    db->Debe("SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, NUMERO, FECHA, CUENTA, NOMBRE, IMPORTE, ANULADA, APROBADO, "
             "FINALIZADA, FINALIZADO, COMENTARIOS, Garantia, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN, IdReparto, "
             "CondicionIVA, FechaRecepcion FROM " + p + "MV_CPTE WHERE 1 = 0");
    db->Debe("SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IdTarea, Descripcion, Horas, ValorHora, "
             "ValorHora_S_IVA, Total, Descripcionadicional, FechaEstInicio, FechaEstFin, IdTecnico, FechaREALInicio, "
             "FechaREALFin FROM " + p + "MV_CPTETAREAS WHERE 1 = 0");
    db->Debe("SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IdArticulo, Descripcion, IdUnidad, Cantidad, "
             "IdUnidadBase, CantidadUD, Importe, Exento, PorcDto, EQUIV_UDBASE, Presentacion, Costo, Importe_S_IVA, "
             "Impuestos, Total, Nro_Lote, Nro_Serie, CONTROLADOPOR, IdOrigen, AlicIVA, Precio_Lista, PALLETS FROM " +
             p + "MV_CPTEINSUMOS WHERE 1 = 0");
    db->Debe("SELECT ID, TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, TIPO_OBS, Observacion, Importe, Importe_S_IVA FROM " +
             p + "MV_CPTE_Observ WHERE 1 = 0");
  }

  // The look-up dispatch's tables with their description and code columns.
  const char* const consultas[][3] = {
      {"V_TA_Cpte", "Descripcion", "Codigo"},
      {"V_TA_PERCEPCION", "DESCRIPCION", "IDPERCEPCION"},
      {"V_TA_RETENCIONES", "DESCRIPCION", "IDRETENCION"},
      {"V_TA_UNIDADNEGOCIO", "DESCRIPCION", "CODIGO"},
      {"V_ta_PoliticaPrecios", "Descripcion", "codigo"},
      {"V_TA_Cajas", "DESCRIPCION", "IDCajas"},
      {"V_TA_Bancos", "DESCRIPCION", "IDBanco"},
      {"V_TA_MotivoVta", "DESCRIPCION", "IDMotivoVta"},
      {"V_TA_MotivoCpra", "DESCRIPCION", "IDMotivoCpra"},
      {"V_TA_Deposito", "DESCRIPCION", "IDDeposito"},
      {"V_TA_Tecnicos", "NOMBRE", "IDTecnico"},
      {"V_TA_Tareas", "DESCRIPCION", "IDTarea"},
      {"V_TA_Unidad", "DESCRIPCION", "IDUnidad"},
      {"V_TA_TipoArticulo", "DESCRIPCION", "IDTIPO"},
      {"V_TA_Rubros", "DESCRIPCION", "IDRubro"},
      {"V_TA_MotivoStock", "DESCRIPCION", "IDMotivoStock"},
      {"V_TA_CPRA_VTA", "DESCRIPCION", "IDCOND_CPRA_VTA"},
      {"V_TA_CATEGORIA", "DESCRIPCION", "IDCATEGORIA"},
      {"V_TA_DESTINO", "DESCRIPCION", "IDDESTINO"},
      {"V_TA_ORIGEN", "DESCRIPCION", "IDORIGEN"},
      {"TA_Categoria", "DESCRIPCION", "IDCategoria"},
      {"TA_Deposito", "DESCRIPCION", "IDDeposito"},
      {"TA_MotivoStock", "DESCRIPCION", "IDMotivoStock"},
      {"TA_TipoArticulo", "DESCRIPCION", "IDTIPO"},
      {"TA_Rubros", "DESCRIPCION", "IDRubro"},
      {"TA_Cpte", "DESCRIPCION", "CODIGO"},
      {"V_MA_ARTICULOS", "DESCRIPCION", "IDARTICULO"},
      {"MA_MODELOS", "NOMBRE", "NOMBRE"},
      {"MA_CHOFERES", "APELLIDO", "CODIGO, NOMBRES"},
      {"MA_DESTINATARIOS", "NOMBRE", "CODIGO"},
      {"MA_VEHICULOS", "PATENTE", "MODELO"},
      {"MV_EJERCICIOS", "DESCRIPCION", "PERIODO"},
      {"TA_USUARIOS", "NOMBRE", "NOMBRE"},
      {"MA_CLIENTES", "Razon_Social", "Codigo, Codigo_sucursal"},
      {"MA_PROVEEDORES", "Razon_Social", "Codigo"},
      {"MA_CUENTAS", "Descripcion", "Codigo"},
  };
  for (auto& c : consultas) db->Debe(QString("select %1,%2 from %3 ").arg(c[1], c[2], c[0]));
}

TEST_F(Esquema, TextColumnsCompareAsTheServerDoes) {
  // Every text column of every table declares the collation that ignores
  // letter case and trailing blanks.
  ado::Resultado r = db->Corre("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
  ASSERT_GT(r.Filas(), 50);
  const QRegularExpression sinColacion(R"(\b(\w+)\s+TEXT\b(?!\s+COLLATE\s+CI\b))");
  for (int i = 0; i < r.Filas(); ++i) {
    const QString sql = r.valores[i * 2 + 1].toString();
    auto m = sinColacion.match(sql);
    EXPECT_FALSE(m.hasMatch()) << r.valores[i * 2].toString().toStdString() << ": " << m.captured(0).toStdString();
  }
  db->Debe("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   7', 'Lucía Ferreyra')");
  EXPECT_EQ(db->Filas("SELECT * FROM V_TA_TECNICOS WHERE IDTECNICO = '   7  ' AND NOMBRE = 'LUCÍA FERREYRA'"), 1);
  EXPECT_EQ(db->Filas("SELECT * FROM V_TA_TECNICOS WHERE IDTECNICO = '7'"), 0);  // leading blanks count
}

TEST_F(Esquema, TheBaseConfigurationAndTheSupervisorAreWritten) {
  const char* const valores[][2] = {
      {"PERIODO", "2026"},         {"SeparadorHora", ":"},        {"CantidadDecimales", "2"},
      {"MostrarStockenConsultas", "NO"}, {"TopConsArt", "1000"}, {"ModuloOrdenDeTrabajo", "SI"},
      {"UNIDADDEMEDIDA_M3", "M3"}, {"UNIDADDEMEDIDA_BL", "BL"},   {"UNIDADDEMEDIDA_KG", "KG"},
      {"DepositoDefault", "1"},    {"PIVA", "21"},                {"PIVARec", "10.5"},
      {"CFondo", "16777215"},      {"CLetra", "0"},               {"VALIDACODIGOBARRA", "NO"},
      {"TituloClientes", "Clientes"}, {"TituloProveedores", "Proveedores"}, {"CONDIVA", "1"},
  };
  for (auto& v : valores)
    EXPECT_EQ(db->Texto(QString("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(v[0])), v[1]) << v[0];
  // Keys the callers read as switches are present, so none falls back to
  // its missing-key meaning by accident.
  for (const char* clave : {"UsaReferenciaPresupuestos", "UsaRemitoContado", "EntregaParcialRemito", "PideNroReparto",
                            "ConfirmaUDEquiv", "DescargaInsumosProduccion", "MotivoStockDefault", "IR_Oblig",
                            "PideDepositoEnCptes", "NoMostrarImportesEnOT", "NombreArticulos", "NOM_PCLASE1",
                            "Stk_Nivel1", "Stk_Nivel4", "EXIGECLAVECONSULTALIKEARTICULOS", "UsaConsultaLike",
                            "UsaMultilesMonedas", "UsaFacturaProforma", "USACCOSTO", "V_ModificaCPrecio",
                            "C_ModificaCPrecio"})
    EXPECT_EQ(db->Filas(QString("SELECT VALOR FROM ta_configuracion WHERE CLAVE = '%1'").arg(clave)), 1) << clave;
  EXPECT_EQ(db->Texto("SELECT UNegocio FROM ta_usuarios WHERE nombre = 'supervisor'"), "   1");
  // Nothing else: the schema alone holds no business data.
  EXPECT_EQ(db->Entero("SELECT COUNT(*) FROM V_MV_DIARIOS"), 0);
  EXPECT_EQ(db->Entero("SELECT COUNT(*) FROM V_MA_ARTICULOS"), 0);
}

TEST_F(Esquema, CreatingItAgainReplacesTheFile) {
  db->Debe("INSERT INTO V_TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   1', 'Juan')");
  db.reset();
  demo::CreaEsquema(Archivo());
  Base otra(Archivo());
  EXPECT_EQ(otra.Entero("SELECT COUNT(*) FROM V_TA_TECNICOS"), 0);
  EXPECT_EQ(otra.Entero("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'"), 1);
}

TEST_F(Esquema, DerivedViewsFollowTheirTables) {
  // A delivery note of 10 units, an invoice made from it for 4 and a voided
  // one for 3: 4 applied, 6 still to deliver; the type is asked for without
  // blanks and in any case.
  db->Debe("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, FINALIZADA) "
           "VALUES ('  RM', '000100000007R', 0, '2026-10-01', '100001', 0)");
  db->Debe("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD) "
           "VALUES ('  RM', '000100000007R', 0, '               ROD-000001', 10)");
  const char* const facturas[][3] = {{"000100000003A", "4", "0"}, {"000100000004A", "3", "1"}};
  for (auto& f : facturas) {
    db->Debe(QString("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, TCORIGEN, COMPROBANTEORIGEN, "
                     "COMPLEMENTOORIGEN, ANULADA) VALUES ('  FC', '%1', 0, '2026-10-05', '  RM', '000100000007R', 0, %2)")
                 .arg(f[0], f[2]));
    db->Debe(QString("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, CANTIDAD) "
                     "VALUES ('  FC', '%1', 0, '               ROD-000001', %2)")
                 .arg(f[0], f[1]));
  }
  const QString art = Q("               ROD-000001");
  EXPECT_DOUBLE_EQ(db->Real("SELECT CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = 'RM' or "
                            "TCO_ORIGEN = 'NP') AND IDCOMPROBANTEORIGEN = '000100000007R' AND IDARTICULO = " + art),
                   4.0);
  EXPECT_DOUBLE_EQ(db->Real("SELECT pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE (TC = 'rm') AND "
                            "IDCOMPROBANTE = '000100000007R' AND IDARTICULO = " + art),
                   6.0);
  // The links of the voucher class find the live invoice only.
  EXPECT_EQ(db->Filas("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = '  RM' AND COMPROBANTEORIGEN = '000100000007R' AND "
                      "COMPLEMENTOORIGEN = '0'  AND ANULADA = 0"),
            1);
  // The pending delivery notes and the key under its numbering name.
  EXPECT_EQ(db->Texto("SELECT IDCOMPROBANTE FROM V_RemitosPendientes WHERE TC = '  RM'"), "000100000007R");
  EXPECT_EQ(db->Texto("SELECT NUMERO FROM V_MV_CPTE WHERE TC = '  RM'"), "000100000007R");
  db->Debe("UPDATE V_MV_CPTE SET FINALIZADA = 1 WHERE TC = '  RM'");
  EXPECT_EQ(db->Filas("SELECT * FROM V_RemitosPendientes"), 0);
  EXPECT_EQ(db->Entero("SELECT FINALIZADO FROM V_MV_CPTE WHERE TC = '  RM'"), 1);

  // Stock shown by the pick lists: the article's own unit, every warehouse.
  db->Debe("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES (" + art + ", 'Rodamiento', '  UN')");
  db->Debe("INSERT INTO STK_SALDOS_UNIDADES VALUES (" + art + ", '  UN', '   1', 5), (" + art + ", '  UN', '   2', 2), (" +
           art + ", ' CAJ', '   1', 1)");
  EXPECT_DOUBLE_EQ(db->Real("SELECT Stock FROM VT_MA_ARTICULOS WHERE IDARTICULO = " + art), 7.0);
  // Customers' accounts are accounts.
  db->Debe("INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL) VALUES ('100001', 'Metalúrgica Varquel S.A.')");
  EXPECT_EQ(db->Texto("SELECT Descripcion FROM ma_cuentas WHERE Codigo = '100001'"), "Metalúrgica Varquel S.A.");
  // Article types answer by either name of their code.
  db->Debe("INSERT INTO TA_TIPOARTICULO VALUES ('   2', 'Insumo')");
  EXPECT_EQ(db->Texto("SELECT Descripcion FROM V_ta_TipoArticulo WHERE Tipo = '   2'"), "Insumo");
}

// ---------------------------------------------------------------------------
// The demo data

TEST_F(Demo, EveryTableTheDemoFillsHasRows) {
  const char* const tablas[] = {
      "TA_CONFIGURACION", "TA_USUARIOS", "TA_CONFIG_IMP_CPTE", "MV_EJERCICIOS", "V_TA_CPTE", "TA_COMPROBANTES",
      "V_MV_CTROL_CPTE", "MV_ASIENTOS", "V_MV_CPTEACCIONES", "V_TA_UNIDAD", "TA_DEPOSITO", "TA_RUBROS",
      "TA_TIPOARTICULO", "TA_MOTIVOSTOCK", "TA_CATEGORIA", "V_TA_FAMILIAS", "V_TA_CAJAS", "V_TA_BANCOS",
      "V_TA_MOTIVOVTA", "V_TA_MOTIVOCPRA", "V_TA_CPRA_VTA", "V_TA_DESTINO", "V_TA_ORIGEN", "V_TA_PERCEPCION",
      "V_TA_RETENCIONES", "V_TA_UNIDADNEGOCIO", "V_TA_POLITICAPRECIOS", "V_TA_TECNICOS", "V_TA_TAREAS",
      "V_TA_VENDEDORES", "V_MA_MANTENIMIENTOS", "MA_CLIENTES", "MA_PROVEEDORES", "MA_CONTACTOS", "MA_PLANCUENTAS",
      "V_MV_CARGOSAPLICADOS", "MA_MODELOS", "MA_CHOFERES", "MA_DESTINATARIOS", "MA_VEHICULOS", "V_MA_ARTICULOS",
      "STK_SALDOS_UNIDADES", "S_TA_EQUIV", "V_MA_INSUMOS", "MA_POSICIONES", "STK_SERIES_Y_LOTES", "AC_SALDOSLAYOUT",
      "V_MV_STOCK", "V_MV_FALTANTES", "V_MV_CPTE", "C_MV_CPTE", "V_MV_CPTETAREAS", "V_MV_CPTEINSUMOS",
      "C_MV_CPTEINSUMOS", "V_MV_CPTE_OBSERV", "C_MV_CPTE_OBSERV", "V_MV_CPTETERCEROS", "V_MV_DIARIOS",
      // views
      "VT_CLIENTES", "VT_PROVEEDORES", "MA_CUENTAS", "VT_MA_ARTICULOS", "V_MA_PRECIOS", "V_OT_PENDIENTES",
      "V_REMITOSPENDIENTES", "C_REMITOSPENDIENTES", "V_PR_PENDIENTES", "VT_V_MV_INSUMOS_APLICACION",
      "VT_V_MV_INSUMOS_REPARTOPENDIENTE", "V_TA_DEPOSITO", "V_TA_RUBROS", "V_TA_TIPOARTICULO", "V_TA_MOTIVOSTOCK",
      "V_TA_CATEGORIA", "TA_CPTE"};
  for (const char* t : tablas) EXPECT_GT(db.Entero(QString("SELECT COUNT(*) FROM %1").arg(t)), 0) << t;
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MA_ARTICULOS"), kArticulos);
}

TEST_F(Demo, ReportsHaveSeveralTaskLinesSharingOneHeader) {
  EXPECT_EQ(db.Entero("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS"), kReportes);
  EXPECT_EQ(db.Entero("SELECT MIN(IDDIARIO) FROM V_MV_DIARIOS"), 1);
  EXPECT_EQ(db.Entero("SELECT MAX(IDDIARIO) FROM V_MV_DIARIOS"), kReportes);
  // One to five task lines, and many reports with more than one.
  EXPECT_EQ(db.Filas("SELECT IDDIARIO FROM V_MV_DIARIOS GROUP BY IDDIARIO HAVING COUNT(*) > 5"), 0);
  EXPECT_GT(db.Filas("SELECT IDDIARIO FROM V_MV_DIARIOS GROUP BY IDDIARIO HAVING COUNT(*) > 1"), kReportes / 3);
  // The lines of one report share its date, work order, technician and approver.
  EXPECT_EQ(db.Filas("SELECT IDDIARIO FROM V_MV_DIARIOS GROUP BY IDDIARIO HAVING COUNT(DISTINCT FECHA) > 1 OR "
                     "COUNT(DISTINCT IDCOMPROBANTE) > 1 OR COUNT(DISTINCT IDCOMPLEMENTO) > 1 OR "
                     "COUNT(DISTINCT IDTECNICO) > 1 OR COUNT(DISTINCT IFNULL(AUTORIZADOPOR, '<null>')) > 1"),
            0);
  // A report's tasks differ from each other.
  EXPECT_EQ(db.Filas("SELECT IDDIARIO FROM V_MV_DIARIOS GROUP BY IDDIARIO HAVING COUNT(DISTINCT IDTAREA) < COUNT(*)"), 0);
  // Work orders only, dates of the four months before December 2026,
  // minutes between a quarter of an hour and eight hours.
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE TC <> 'OT'"), 0);
  EXPECT_GE(db.Texto("SELECT MIN(FECHA) FROM V_MV_DIARIOS"), "2026-08-01");
  EXPECT_LE(db.Texto("SELECT MAX(FECHA) FROM V_MV_DIARIOS"), "2026-11-30");
  EXPECT_GE(db.Entero("SELECT COUNT(DISTINCT substr(FECHA, 1, 7)) FROM V_MV_DIARIOS"), 3);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE MINUTOS < 15 OR MINUTOS > 480 OR MINUTOS % 15 <> 0"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE TRIM(IFNULL(DESCRIPCION, '')) = ''"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE TRIM(IFNULL(OBSERVACIONES, '')) <> ''"), 0);
  EXPECT_GE(db.Entero("SELECT COUNT(DISTINCT IDTECNICO) FROM V_MV_DIARIOS"), 6);
  // Dates are ISO dates.
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE date(FECHA) IS NOT FECHA"), 0);
}

TEST_F(Demo, ReportsAreApprovedAndPending) {
  const long long aprobados =
      db.Entero("SELECT COUNT(DISTINCT IDDIARIO) FROM V_MV_DIARIOS WHERE TRIM(IFNULL(AUTORIZADOPOR, '')) <> ''");
  EXPECT_GT(aprobados, 0);
  EXPECT_LT(aprobados, kReportes);
  // Pending ones carry no approver, as NULL or as blanks.
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR IS NULL"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR IS NOT NULL AND TRIM(AUTORIZADOPOR) = ''"), 0);
  // Approvers are supervisors' names.
  ado::Resultado r = db.Corre("SELECT DISTINCT AUTORIZADOPOR FROM V_MV_DIARIOS WHERE TRIM(IFNULL(AUTORIZADOPOR, '')) <> ''");
  for (const QVariant& v : r.valores) EXPECT_TRUE(v.toString().contains(' ')) << v.toString().toStdString();
}

TEST_F(Demo, ReportsNameTechniciansTasksAndWorkOrdersThatExist) {
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS d LEFT JOIN V_TA_TECNICOS t ON t.IDTECNICO = d.IDTECNICO "
                      "WHERE t.IDTECNICO IS NULL"),
            0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS d LEFT JOIN V_TA_TAREAS t ON t.IDTAREA = d.IDTAREA "
                      "WHERE t.IDTAREA IS NULL"),
            0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS d WHERE NOT EXISTS (SELECT 1 FROM V_MV_CPTE c "
                      "WHERE LTRIM(RTRIM(c.TC)) = d.TC AND c.IDCOMPROBANTE = d.IDCOMPROBANTE AND "
                      "c.IDCOMPLEMENTO = d.IDCOMPLEMENTO AND c.ANULADA = 0)"),
            0);
  // The technicians are a dozen people with names and surnames.
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_TA_TECNICOS"), 12);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_TA_TECNICOS WHERE NOMBRE NOT LIKE '% %'"), 0);
}

TEST_F(Demo, TaskDataExistsForManyButNotAllTasksOfTheReports) {
  // Each report line looked up as the detail window looks up a task.
  ado::Resultado r = db.Corre("SELECT DISTINCT IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA FROM V_MV_DIARIOS");
  int conDatos = 0, sinFila = 0;
  for (int i = 0; i < r.Filas(); ++i) {
    const QString donde = QString(" WHERE RTRIM(LTRIM(TC)) = 'OT' AND RTRIM(LTRIM(IDCOMPROBANTE)) ='%1' AND "
                                  "IdComplemento = %2 and IdTarea = '%3'")
                              .arg(r.valores[i * 3].toString(), r.valores[i * 3 + 1].toString(),
                                   r.valores[i * 3 + 2].toString());
    ado::Resultado t = db.Corre("SELECT IdTarea, Descripcionadicional FROM V_MV_CPTETAREAS" + donde);
    if (t.Filas() == 0) ++sinFila;
    else if (!t.valores[1].toString().trimmed().isEmpty()) ++conDatos;
  }
  EXPECT_GT(conDatos, r.Filas() / 3);
  EXPECT_GT(sinFila, 0);
  // The additional data is text of several lines.
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_CPTETAREAS WHERE DESCRIPCIONADICIONAL LIKE '%Equipo:%' AND "
                      "instr(DESCRIPCIONADICIONAL, char(10)) > 0"),
            0);
}

TEST_F(Demo, EveryVoucherTypeOfThePickListHasItsRows) {
  // The sources of the voucher pick list, as it builds them without a filter.
  struct Fuente {
    const char* tipo;
    const char* sql;
  };
  const Fuente fuentes[] = {
      {"RM/PENDIENTES_COMPRAS",
       " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ' RMC' "
       "ORDER BY IDCOMPROBANTE DESC"},
      {"RM/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = '  RM' "
       "AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
      {"RM/PENDIENTES (remito contado)",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE "
       "TC = '  RM' ORDER BY IDCOMPROBANTE DESC"},
      {"T3", "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO"},
      {"NCPE", "SELECT * FROM MV_ASIENTOS WHERE TC = 'NCPE' ORDER BY SUCURSAL, NUMERO, LETRA DESC"},
      {"NDPR", "SELECT * FROM MV_ASIENTOS WHERE TC = 'NDPR' ORDER BY SUCURSAL, NUMERO, LETRA DESC"},
      {"FCC", "SELECT * FROM C_MV_CPTE WHERE TC = ' FCC' ORDER BY IDCOMPROBANTE DESC"},
      {"NCC", "SELECT * FROM C_MV_CPTE WHERE TC = ' NCC' ORDER BY IDCOMPROBANTE DESC"},
      {"NCCP", "SELECT * FROM C_MV_CPTE WHERE TC = 'NCCP' ORDER BY IDCOMPROBANTE DESC"},
      {"NDC", "SELECT * FROM C_MV_CPTE WHERE TC = ' NDC' ORDER BY IDCOMPROBANTE DESC"},
      {"RMC", "SELECT * FROM C_MV_CPTE WHERE TC = ' RMC' ORDER BY IDCOMPROBANTE DESC"},
      {"OT/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes "
       "WHERE TC = '  OT' ORDER BY IDCOMPROBANTE DESC"},
      {"OT",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM "
       "V_OT_Pendientes WHERE TC = '  OT'  ORDER BY IDCOMPROBANTE DESC"},
      {"NP/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = '  NP' "
       "AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
      {"PR/PENDIENTES",
       " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES "
       "WHERE TC = '  PR' AND APROBADO = 1 ORDER BY IDCOMPROBANTE DESC"},
      {"OC",
       " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM "
       "C_MV_CPTE WHERE TC = '  OC' AND (APROBADO = 1) AND (FINALIZADO = 0) ORDER BY IDCOMPROBANTE DESC"},
  };
  for (const Fuente& f : fuentes) EXPECT_GT(db.Debe(f.sql).Filas(), 0) << f.tipo;
  // The fallback source of every other type.
  for (const char* tc : {"  FC", "  NC", "  ND", "  RM", "  NP", "  PR", "NCFP", "  OP", "  FP", "  GF", "  OT"})
    EXPECT_GT(db.Debe(QString("SELECT * FROM V_MV_CPTE WHERE TC = '%1' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC")
                          .arg(tc))
                  .Filas(),
              0)
        << tc;
  // With a filter the texts keep their shape.
  db.Debe(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_MV_CPTE "
          "WHERE TC = '  PR' AND APROBADO = 1 AND CUENTA > '0' AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
  db.Debe("SELECT * FROM V_MV_CPTE WHERE TC = '  FC' AND CUENTA > '0' ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ");
  // Voided, approved and guaranteed vouchers are there to show their icons.
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_CPTE WHERE ANULADA <> 0"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_OT_Pendientes WHERE APROBADO <> 0"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = '  OC' AND Garantia <> 0"), 0);
  // Every type has its numbering book.
  for (const char* tc : {"  OT", "  NP", "  FC", "  RM", "  ND", "  NC", "NCFP", "  OP", "  FP", "  GF", "  PR", "  T3",
                         "  OC", " FCC", " NCC", "NCPE", "NDPR", "NCCP", " NDC", " RMC", "  PE", "  IR", " AJP"})
    EXPECT_GT(db.Filas(QString("SELECT * FROM V_TA_CPTE WHERE CODIGO = '%1' ORDER BY TALONARIO").arg(tc)), 0) << tc;
}

TEST_F(Demo, CodesAreStoredRightAlignedAtTheirWidths) {
  const struct {
    const char* tabla;
    const char* columna;
    int ancho;
  } codigos[] = {
      {"V_TA_TECNICOS", "IDTECNICO", 4},       {"V_MV_DIARIOS", "IDTECNICO", 4},   {"V_MV_DIARIOS", "IDTAREA", 4},
      {"V_TA_TAREAS", "IDTAREA", 4},           {"V_MV_CPTETAREAS", "IDTAREA", 4},  {"V_MV_CPTE", "TC", 4},
      {"C_MV_CPTE", "TC", 4},                  {"V_MV_STOCK", "TC", 4},            {"V_TA_CPTE", "CODIGO", 4},
      {"V_MV_STOCK", "IDDEPOSITO", 4},         {"STK_SALDOS_UNIDADES", "IDDEPOSITO", 4},
      {"STK_SALDOS_UNIDADES", "EQUIVALENCIA", 4}, {"V_MA_ARTICULOS", "IDUNIDAD", 4}, {"V_TA_UNIDAD", "IDUNIDAD", 4},
      {"S_TA_EQUIV", "IDUNIDAD", 4},           {"S_TA_EQUIV", "IDUNIDAD_EQUIV", 4}, {"V_TA_VENDEDORES", "IDVENDEDOR", 4},
      {"V_MA_ARTICULOS", "IDARTICULO", 25},    {"V_MA_ARTICULOS", "CODIGOBARRA", 25},
      {"V_MA_ARTICULOS", "CODIGOBARRADUN", 25}, {"V_MA_ARTICULOS", "UD_TTE", 4},
      {"V_MV_STOCK", "IDARTICULO", 25},        {"V_MV_STOCK", "NROLOTE", 25},      {"V_MV_STOCK", "NROSERIE", 25},
      {"STK_SERIES_Y_LOTES", "IDARTICULO", 25}, {"STK_SERIES_Y_LOTES", "NROLOTE", 25},
      {"STK_SERIES_Y_LOTES", "NROSERIE", 25},  {"STK_SERIES_Y_LOTES", "IDPOSICION", 15},
      {"MA_POSICIONES", "IDPOSICION", 15},     {"AC_SALDOSLAYOUT", "IDPOSICION", 15},
      {"AC_SALDOSLAYOUT", "NROLOTE", 25},      {"V_MA_INSUMOS", "IDARTICULOINSUMO", 25},
      {"V_MV_CPTEINSUMOS", "IDARTICULO", 25},  {"V_MV_FALTANTES", "IDARTICULO", 25},
  };
  for (auto& c : codigos) {
    const QString col = c.columna;
    EXPECT_GT(db.Entero(QString("SELECT COUNT(*) FROM %1 WHERE %2 IS NOT NULL").arg(c.tabla, col)), 0)
        << c.tabla << "." << c.columna;
    const QString ancho = QString::number(c.ancho);
    EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM " + QString(c.tabla) + " WHERE " + col + " IS NOT NULL AND (length(" + col +
                        ") <> " + ancho + " OR " + col + " <> printf('%" + ancho + "s', trim(" + col +
                        ")) COLLATE BINARY OR trim(" + col + ") = '')"),
              0)
        << c.tabla << "." << c.columna;
  }
  // Voucher keys: branch, number and letter.
  const char* const claves[][2] = {{"V_MV_DIARIOS", "IDCOMPROBANTE"}, {"V_MV_CPTE", "IDCOMPROBANTE"},
                                   {"C_MV_CPTE", "IDCOMPROBANTE"},    {"V_MV_STOCK", "IDCOMPROBANTE"},
                                   {"V_MV_CPTETAREAS", "IDCOMPROBANTE"}, {"V_MV_CPTETERCEROS", "IDCOMPROBANTE"}};
  for (auto& c : claves)
    EXPECT_EQ(db.Entero(QString("SELECT COUNT(*) FROM %1 WHERE %2 NOT GLOB "
                                "'[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][ABCERXM]'")
                            .arg(c[0], c[1])),
              0)
        << c[0];
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM MV_ASIENTOS WHERE SUCURSAL NOT GLOB '[0-9][0-9][0-9][0-9]' OR "
                      "NUMERO NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'"),
            0);
}

TEST_F(Demo, BalancesAreWhatTheMovementsLeft) {
  // By unit: the sum of the article's movements in each warehouse.
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM (SELECT IDARTICULO, IDDEPOSITO, SUM(CANTIDAD) AS Q FROM V_MV_STOCK "
                      "GROUP BY IDARTICULO, IDDEPOSITO) m LEFT JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = "
                      "m.IDARTICULO AND s.IDDEPOSITO = m.IDDEPOSITO WHERE abs(m.Q - IFNULL(s.STOCK, 0)) > 0.001"),
            0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM STK_SALDOS_UNIDADES s JOIN V_MA_ARTICULOS a ON a.IDARTICULO = s.IDARTICULO "
                      "WHERE s.EQUIVALENCIA <> a.IDUNIDAD"),
            0);
  // By lot and serial: what the tracked articles hold adds up to their balance.
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM STK_SERIES_Y_LOTES"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM (SELECT IDARTICULO, IDDEPOSITO, SUM(CANTIDAD) AS Q FROM STK_SERIES_Y_LOTES "
                      "GROUP BY IDARTICULO, IDDEPOSITO) l JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = l.IDARTICULO AND "
                      "s.IDDEPOSITO = l.IDDEPOSITO WHERE abs(l.Q - s.STOCK) > 0.001"),
            0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM STK_SERIES_Y_LOTES l JOIN V_MA_ARTICULOS a ON a.IDARTICULO = l.IDARTICULO "
                      "WHERE a.USALOTE = 0 AND a.USASERIE = 0"),
            0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM STK_SERIES_Y_LOTES WHERE NROSERIE IS NOT NULL"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM STK_SERIES_Y_LOTES WHERE NROLOTE IS NOT NULL AND NROSERIE IS NULL"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM STK_SERIES_Y_LOTES WHERE CANTIDAD <= 0"), 0);
  // By position: positions and the rest of the warehouse add up too.
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM (SELECT IDARTICULO, IDDEPOSITO, SUM(SALDO) AS Q FROM AC_SALDOSLAYOUT "
                      "GROUP BY IDARTICULO, IDDEPOSITO) p JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = p.IDARTICULO AND "
                      "s.IDDEPOSITO = p.IDDEPOSITO WHERE abs(p.Q - s.STOCK) > 0.001"),
            0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM AC_SALDOSLAYOUT WHERE IDPOSICION IS NOT NULL"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM AC_SALDOSLAYOUT a LEFT JOIN MA_POSICIONES p ON p.IDDEPOSITO = a.IDDEPOSITO "
                      "AND p.IDPOSICION = a.IDPOSICION WHERE a.IDPOSICION IS NOT NULL AND p.IDPOSICION IS NULL"),
            0);
  // Sales took stock out and purchases brought it in.
  EXPECT_LT(db.Real("SELECT SUM(CANTIDAD) FROM V_MV_STOCK WHERE TC IN ('  RM', '  FC')"), 0);
  EXPECT_GT(db.Real("SELECT SUM(CANTIDAD) FROM V_MV_STOCK WHERE TC IN ('  IR', ' FCC', ' RMC')"), 0);
}

TEST_F(Demo, TheProgramsStatementsRunOnTheDemo) {
  // Session and configuration.
  EXPECT_EQ(db.Texto("SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'PERIODO'"), "2026");
  EXPECT_EQ(db.Filas("SELECT * FROM TA_CONFIG_IMP_CPTE WHERE TC = 'FC' AND LETRA = 'A' AND USUARIO = 'PUESTO1|supervisor'"),
            1);
  EXPECT_EQ(db.Filas("SELECT * FROM TA_CONFIG_IMP_CPTE WHERE TC = 'FC' AND LETRA = 'A' AND USUARIO IS NULL"), 1);

  // Main window: search, one query per report, approval of ticked reports.
  EXPECT_GT(db.Debe("SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS  Where  (FECHA >= '2026-09-01') AND (FECHA <= "
                    "'2026-10-31')  AND  (LTRIM(RTRIM(IDTECNICO)) >= '1') AND (LTRIM(RTRIM(IDTECNICO)) <= '9')  ORDER BY "
                    "IDDIARIO")
                .Filas(),
            0);
  EXPECT_GT(db.Debe("SELECT DISTINCT IDDIARIO FROM V_MV_DIARIOS  Where  (LTRIM(RTRIM(IDCOMPROBANTE)) >= '000100000002A') "
                    "AND (LTRIM(RTRIM(IDCOMPROBANTE)) <= '000100000009A')  ORDER BY IDDIARIO")
                .Filas(),
            0);
  EXPECT_GE(db.Debe("SELECT * FROM V_MV_DIARIOS WHERE IDDIARIO = 1").Filas(), 1);

  // Record pick lists and the default look-ups.
  EXPECT_GT(db.Debe("SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY "
                    "DESCRIPCION")
                .Filas(),
            0);
  EXPECT_GT(db.Debe("SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY "
                    "RAZON_SOCIAL")
                .Filas(),
            0);
  EXPECT_GT(db.Debe("SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL")
                .Filas(),
            0);
  for (const char* s : {"SELECT TOP 1000 Nombre_y_Apellido,Domicilio,Localidad,Telefono FROM MA_CONTACTOS ORDER BY "
                        "Nombre_y_Apellido",
                        "SELECT TOP 1000 NOMBRE,IDVENDEDOR FROM V_TA_VENDEDORES ORDER BY NOMBRE",
                        "SELECT TOP 1000 NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE",
                        "SELECT TOP 1000 DESCRIPCION,CODIGO FROM V_MA_MANTENIMIENTOS ORDER BY DESCRIPCION",
                        "SELECT TOP 1000 IDFAMILIA,DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA",
                        "select top 1 * from V_TA_TAREAS",
                        "SELECT TOP 1000 NOMBRE,CODIGO FROM VT_CLIENTES  where NOMBRE like '%a%' ORDER BY NOMBRE ",
                        "select * from VT_MA_ARTICULOS",
                        "select NOMBRE,IDTecnico from v_ta_tecnicos "})
    EXPECT_GT(db.Debe(s).Filas(), 0) << s;
  // The tree of warehouse positions resolves a position.
  const QString posicion = db.Texto("SELECT IDPOSICION FROM MA_POSICIONES WHERE IDDEPOSITO = '   1' ORDER BY ORDENINGRESO");
  EXPECT_EQ(db.Filas("SELECT * FROM MA_POSICIONES WHERE IDPOSICION = " + Q(posicion)), 1);

  // Voucher numbering.
  EXPECT_EQ(db.Filas("SELECT * FROM V_TA_CPTE WHERE CODIGO = '  OT' ORDER BY TALONARIO"), 2);
  EXPECT_GT(db.Filas("Select * from v_ta_cpte where codigo = '  FC' and A_SUC_DEFAULT = 1"), 0);
  EXPECT_EQ(db.Filas("SELECT * FROM TA_Comprobantes WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND TALONARIO = 1"), 1);
  const QString ultimaOc = db.Texto("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE WHERE TC = '  OC' AND "
                                    "SUBSTRING(IDCOMPROBANTE,1,4) = '0001' AND SUBSTRING(IDCOMPROBANTE,13,1) = 'X'");
  EXPECT_EQ(ultimaOc.mid(4, 8).toInt(), db.Entero("SELECT COUNT(*) FROM C_MV_CPTE WHERE TC = '  OC'"));
  const QString fc = db.Texto("SELECT IDCOMPROBANTE FROM V_MV_CPTE WHERE TC = '  FC' ORDER BY ID");
  ado::Resultado asiento = db.Debe(QString("SELECT * FROM MV_ASIENTOS WHERE TC = '  FC' AND SUCURSAL = '%1' AND NUMERO = "
                                           "'%2' AND LETRA = '%3'")
                                       .arg(fc.left(4), fc.mid(4, 8), fc.mid(12, 1)));
  ASSERT_EQ(asiento.Filas(), 1);
  EXPECT_GE(asiento.columnas->Posicion("NUMERO ASIENTO"), 0);
  EXPECT_GE(asiento.columnas->Posicion("MES_OPERATIVO"), 0);
  db.Debe("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = '  FC' AND SUCURSAL= '0001' AND LETRA = 'A'");
  EXPECT_GT(db.Filas("SELECT TC,IDCOMPROBANTE From V_MV_STOCK WHERE TC = ' AJP' AND IDCOMPROBANTE = '000100000001X'"), 0);
  EXPECT_EQ(db.Texto("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK WHERE TC = ' AJP' AND SUBSTRING(IDCOMPROBANTE, "
                     "1, 4)= '0001' AND SUBSTRING(IDCOMPROBANTE, 13, 1)= 'X'")
                .left(4),
            "0001");

  // Voucher class: type, sign, links, charges.
  EXPECT_EQ(db.Texto("SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = '  OT'"), "VENTAS");
  EXPECT_EQ(db.Texto("SELECT ES FROM V_TA_CPTE WHERE CODIGO='  FC'"), "S");
  const QString rm = db.Texto("SELECT COMPROBANTEORIGEN FROM V_MV_CPTE WHERE TC = '  FC' AND TCORIGEN = '  RM' AND "
                              "ANULADA = 0 ORDER BY ID");
  ASSERT_FALSE(rm.isEmpty());
  EXPECT_GT(db.Filas("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = '  RM' AND COMPROBANTEORIGEN = " + Q(rm) +
                     " AND COMPLEMENTOORIGEN = '0'  AND ANULADA = 0"),
            0);
  const QString cuenta = db.Texto("SELECT CUENTA FROM V_MV_CARGOSAPLICADOS ORDER BY ID");
  db.Debe("SELECT SUM (SALDO) AS IMPORTE FROM V_MV_CargosAplicados WHERE CUENTA = " + Q(cuenta));
  EXPECT_GT(db.Filas("SELECT * FROM V_MV_CARGOSAPLICADOS WHERE CUENTA = " + Q(cuenta) +
                     " AND ((SALDO <> 0) OR (SALDO IS NULL))") +
                db.Filas("SELECT * FROM V_MV_CARGOSAPLICADOS WHERE CUENTA = " + Q(cuenta) + " AND SALDO = 0"),
            0);
  EXPECT_FALSE(db.Texto("SELECT Descripcion FROM ma_cuentas WHERE Codigo = " + Q(cuenta)).isEmpty());

  // Loading a stored voucher, both sides, and the two quantity views.
  const QString w = " WHERE TC = '  RM' AND IDCOMPROBANTE = " + Q(rm) + " AND IdComplemento = 0";
  EXPECT_EQ(db.Debe("SELECT * FROM V_MV_CPTE " + w + " ORDER BY ID ").Filas(), 1);
  db.Debe("SELECT * FROM V_MV_CPTETAREAS " + w + " ORDER BY ID ");
  ado::Resultado lineas = db.Debe("SELECT * FROM V_MV_CPTEINSUMOS " + w + " ORDER BY ID ");
  ASSERT_GT(lineas.Filas(), 0);
  db.Debe("SELECT * FROM V_MV_CPTE_Observ " + w + " AND TIPO_OBS ='OC'  ORDER BY ID ");
  db.Debe("SELECT * FROM V_MV_CPTEINSUMOS  WHERE TC = '  NP' AND IDCOMPROBANTE = '000100000001X' AND IdComplemento = 0 "
          "ORDER BY PALLETS ");
  const QString art = lineas.valores[lineas.columnas->Posicion("IDARTICULO")].toString();
  db.Debe("SELECT pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE (TC = 'RM') AND IDCOMPROBANTE = " + Q(rm) +
          " AND IDARTICULO = " + Q(art));
  EXPECT_EQ(db.Debe("SELECT CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE (TCO_ORIGEN = 'RM' or TCO_ORIGEN = "
                    "'NP') AND IDCOMPROBANTEORIGEN = " + Q(rm) + " AND IDARTICULO = " + Q(art))
                .Filas(),
            1);
  ado::Resultado compra = db.Debe("SELECT TC, IDCOMPROBANTE, CUENTA FROM C_MV_CPTE WHERE TC = ' FCC' ORDER BY ID");
  const QString wc = QString(" WHERE TC = ' FCC' AND IDCOMPROBANTE = %1 AND CUENTA = %2")
                         .arg(Q(compra.valores[1].toString()), Q(compra.valores[2].toString()));
  EXPECT_EQ(db.Debe("SELECT * FROM C_MV_CPTE " + wc + " ORDER BY ID ").Filas(), 1);
  EXPECT_GT(db.Debe("SELECT * FROM C_MV_CPTEINSUMOS " + wc + " ORDER BY ID ").Filas(), 0);
  db.Debe("SELECT * FROM C_MV_CPTETAREAS " + wc + " ORDER BY ID ");
  db.Debe("SELECT * FROM C_MV_CPTE_Observ " + wc + " AND TIPO_OBS ='OC'  ORDER BY ID ");
  db.Debe("SELECT idcomprobante FROM v_mv_stock WHERE TC_origen = 'OC' AND  TC = 'IR' AND TC_ORIGEN = 'OC' AND "
          "IDCOMPROBANTE_ORIGEN ='000100000001X'");

  // Stock queries, units and the lot and position dialogs.
  const QString lote = db.Texto("SELECT IDARTICULO FROM STK_SERIES_Y_LOTES WHERE NROLOTE IS NOT NULL AND NROSERIE IS NULL "
                                "AND IDDEPOSITO = '   1' ORDER BY ID");
  ASSERT_FALSE(lote.isEmpty());
  ado::Resultado flags = db.Debe("SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Q(lote) + " ");
  ASSERT_EQ(flags.Filas(), 1);
  EXPECT_EQ(flags.valores[1].toInt(), 1);
  EXPECT_GT(db.Real(" SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = " + Q(lote) +
                    " AND IdDeposito = '   1'  AND NroSerie is NULL "),
            0);
  EXPECT_GT(db.Debe("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = " + Q(lote) +
                    " AND CANTIDAD > 0  AND IDDEPOSITO = '   1' ORDER BY NROLOTE, NROSERIE ")
                .Filas(),
            0);
  EXPECT_GT(db.Debe("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = " + Q(lote) +
                    " AND CANTIDAD > 0  AND IDDEPOSITO = '   1' and not nrolote is null ORDER BY NROLOTE")
                .Filas(),
            0);
  EXPECT_FALSE(db.Texto("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Q(lote)).trimmed().isEmpty());
  EXPECT_GT(db.Real("SELECT SUM(STOCK) AS STOCK FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = " + Q(lote) +
                    " AND EQUIVALENCIA = (SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Q(lote) +
                    ") AND IDDEPOSITO = '   1'"),
            0);
  db.Debe("SELECT SUM(STOCK) AS STOCK  FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = " + Q(lote) +
          " AND EQUIVALENCIA = '  UN' ");
  ado::Resultado eq = db.Debe("SELECT IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV FROM S_TA_EQUIV ORDER BY IDARTICULO");
  ASSERT_GT(eq.Filas(), 0);
  EXPECT_EQ(db.Filas(QString("SELECT * FROM  S_TA_EQUIV WHERE IdArticulo = %1 AND IDUNIDAD = %2 AND IDUNIDAD_EQUIV = %3")
                         .arg(Q(eq.valores[0].toString()), Q(eq.valores[1].toString()), Q(eq.valores[2].toString()))),
            1);
  const QString kit = db.Texto("SELECT IDARTICULO FROM V_MA_INSUMOS ORDER BY ID");
  EXPECT_GE(db.Filas("SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = " + Q(kit)), 2);
  const QString ubicado = db.Texto("SELECT IDARTICULO FROM AC_SALDOSLAYOUT WHERE IDPOSICION IS NOT NULL ORDER BY ID");
  for (const char* inicio : {"SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,AC_SALDOSLAYOUT.idunidadbase, "
                             "isnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM AC_SALDOSLAYOUT, ma_posiciones WHERE  "
                             "ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
                             "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO='",
                             "SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.idunidadbase, isnull(AC_SALDOSLAYOUT.saldo,0) "
                             "as disponible FROM AC_SALDOSLAYOUT, ma_posiciones WHERE  "
                             "ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
                             "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO='"})
    EXPECT_GT(db.Debe(QString(inicio) + "   1' and ac_saldoslayout.idarticulo=" + Q(ubicado) +
                      " and ac_saldoslayout.saldo > 0 order by "
                      "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion  ")
                  .Filas(),
              0);
  db.Debe("SELECT (ISNULL(SALDO,0)) AS SALDO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO='   1' AND IDARTICULO=" + Q(ubicado) +
          " and idposicion is null");
  EXPECT_FALSE(db.Texto("SELECT Descripcion FROM V_ta_Rubros WHERE IdRubro = '   1'").isEmpty());
}

TEST_F(Demo, ArticlesAreFoundByEachOfTheirCodes) {
  ado::Resultado a = db.Debe("SELECT IDARTICULO, codigobarra, CODIGOBARRADUN, UD_TTE FROM V_MA_ARTICULOS WHERE "
                             "CODIGOBARRADUN IS NOT NULL AND codigobarra IS NOT NULL ORDER BY IDARTICULO");
  ASSERT_GT(a.Filas(), 0);
  const QString id = a.valores[0].toString(), ean = a.valores[1].toString(), dun = a.valores[2].toString();
  EXPECT_EQ(db.Texto("SELECT * FROM V_MA_ARTICULOS WHERE codigobarra =  " + Q(ean)), id);
  EXPECT_EQ(db.Texto("SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = " + Q(id)), id);
  ado::Resultado r = db.Debe("SELECT *, UD_TTE AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN = " + Q(dun));
  ASSERT_EQ(r.Filas(), 1);
  // The computed unit column comes after the article's own IDUNIDAD.
  const int n = r.columnas->nombres.size();
  EXPECT_EQ(r.columnas->nombres[n - 1].toUpper(), "IDUNIDAD");
  EXPECT_EQ(r.valores[n - 1].toString(), a.valores[3].toString());
  // Bar codes are EAN-13 with their check digit.
  const QString d = ean.trimmed();
  ASSERT_EQ(d.size(), 13);
  int suma = 0;
  for (int i = 0; i < 12; ++i) suma += d[i].digitValue() * (i % 2 ? 3 : 1);
  EXPECT_EQ((10 - suma % 10) % 10, d[12].digitValue());
  for (int k = 1; k <= 4; ++k)
    db.Debe(QString("SELECT *, UMCB%1 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA%1 = '123'").arg(k));
}

TEST_F(Demo, ApprovingTouchesOnlyTheTickedReports) {
  Base copia(Copia());
  ado::Resultado r = copia.Corre("SELECT IDDIARIO FROM V_MV_DIARIOS WHERE TRIM(IFNULL(AUTORIZADOPOR, '')) = '' "
                                 "GROUP BY IDDIARIO ORDER BY IDDIARIO");
  ASSERT_GE(r.Filas(), 2);
  const QString a = r.valores[0].toString(), b = r.valores[1].toString();
  const long long lineas = copia.Entero(QString("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE IDDIARIO IN (%1, %2)").arg(a, b));
  const long long antes = copia.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Marta O''Neill'");
  copia.Debe(QString("UPDATE V_MV_DIARIOS SET AUTORIZADOPOR = 'Marta O''Neill' WHERE ( (IDDIARIO = %1) OR  (IDDIARIO = %2)) "
                     "AND (TC = 'OT')")
                 .arg(a, b));
  EXPECT_EQ(antes, 0);
  EXPECT_EQ(copia.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS WHERE AUTORIZADOPOR = 'Marta O''Neill'"), lineas);
}

TEST_F(Demo, WhatTheVoucherClassWritesFitsTheTables) {
  Base copia(Copia());
  copia.Debe(" INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,PC,SYSTEMUSER) "
             "VALUES ('  OT','000100000001A',0,'A','08/12/26 10:30','supervisor','PUESTO1','')");
  copia.Debe("INSERT INTO V_MV_STOCK(TC,IdComprobante,IdComplemento,Secuencia,Fecha,IdCaja,IdDeposito,IDDEPOSITO_DESTINO,"
             "IdArticulo,Descripcion,NroLote,ControladoPor,IdOrigen,NroSerie,IdUnidad,Cantidad,CantidadUD,IdUnidadBase,"
             "CuentaProveedor,IdMotivoStock,PrecioVenta,Costo,Impuestos,DtoItem,Tc_Origen,IdComprobante_Origen,Id_Origen,"
             "IVARI,IVARNI,IdTecnico,EQUIV_UDBASE,IDINSERT,IDCOMPULSA) VALUES ('  PE','000100000001X',0,1,'2026-11-30',   1,"
             "'   1',NULL,'               ROD-000001','Rodamiento',NULL,'',NULL,NULL,'  UN',-2,NULL,NULL,NULL,'   1',0,"
             "1500.5,0,0,'  FC','000100000001A',0,21,0,'   3',1,0,0)");
  copia.Debe("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('08/12/2026 10:31:00',"
             "'               ROD-000001','Rodamiento','supervisor')");
  copia.Debe(" UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 125 WHERE CODIGO = '  FC' AND TALONARIO=1\r\n INSERT INTO "
             "V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('  FC','0001','00000124','A')\r\n");
  EXPECT_EQ(copia.Entero("SELECT A_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  FC'"), 125);
  copia.Debe("DELETE V_MV_CTROL_CPTE WHERE TC = '  FC' AND SUCURSAL = '0001' AND NUMERO = '00000124' AND LETRA = 'A'");
  EXPECT_EQ(copia.Entero("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  FC'"), 0);
  copia.Debe("UPDATE c_mv_cpte set FechaRecepcion='2026-11-30' where TC='  OC' and IDCOMPROBANTE='000100000001X'");
}

TEST_F(Demo, NumberingBooksHandOutTheNextFreeNumber) {
  // Each book's next number is one above the highest key of its branch and
  // letter.
  const char* const libros[][3] = {{"  OT", "1", "A"}, {"  OT", "2", "A"}, {"  RM", "1", "R"},
                                   {"  PR", "1", "X"}, {"  FC", "1", "A"}, {"  FC", "1", "B"}};
  for (auto& l : libros) {
    const long long usado = db.Entero(
        QString("SELECT IFNULL(MAX(CAST(SUBSTRING(IDCOMPROBANTE, 5, 8) AS INTEGER)), 0) FROM V_MV_CPTE WHERE TC = '%1' "
                "AND SUBSTRING(IDCOMPROBANTE, 1, 4) = '000%2' AND SUBSTRING(IDCOMPROBANTE, 13, 1) = '%3'")
            .arg(l[0], l[1], l[2]));
    EXPECT_EQ(db.Entero(QString("SELECT %3_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '%1' AND %3_SUC_DEFAULT = %2")
                            .arg(l[0], l[1], l[2])),
              usado + 1)
        << l[0] << " " << l[1] << " " << l[2];
  }
  // The numbers of one book follow each other without gaps.
  EXPECT_EQ(db.Entero("SELECT MAX(CAST(SUBSTRING(IDCOMPROBANTE, 5, 8) AS INTEGER)) - COUNT(DISTINCT IDCOMPROBANTE) FROM "
                      "V_MV_CPTE WHERE TC = '  OT' AND SUBSTRING(IDCOMPROBANTE, 1, 4) = '0001'"),
            0);
}

// ---------------------------------------------------------------------------
// The generator itself

TEST(DemoGenerador, TheSameSeedMakesTheSameDatabase) {
  QTemporaryDir dir;
  demo::Opciones o;
  o.reportes = 25;
  o.articulos = 40;
  o.semilla = 7;
  demo::CreaBaseDemo(dir.filePath("a.db"), o);
  demo::CreaBaseDemo(dir.filePath("b.db"), o);
  o.semilla = 8;
  demo::CreaBaseDemo(dir.filePath("c.db"), o);
  Base a(dir.filePath("a.db")), b(dir.filePath("b.db")), c(dir.filePath("c.db"));
  for (const char* t : {"V_MV_DIARIOS", "V_MA_ARTICULOS", "V_MV_STOCK", "V_MV_CPTE", "C_MV_CPTE", "V_MV_CPTETAREAS",
                        "STK_SERIES_Y_LOTES", "MA_CLIENTES", "V_MV_CARGOSAPLICADOS"}) {
    const QString sql = QString("SELECT * FROM %1 ORDER BY 1").arg(t);
    EXPECT_EQ(a.Corre(sql).valores, b.Corre(sql).valores) << t;
  }
  EXPECT_NE(a.Corre("SELECT * FROM V_MV_DIARIOS ORDER BY ID").valores,
            c.Corre("SELECT * FROM V_MV_DIARIOS ORDER BY ID").valores);
}

TEST(DemoGenerador, NoReportsAndNoArticlesStillMakeAUsableDatabase) {
  QTemporaryDir dir;
  demo::Opciones o;
  o.reportes = 0;
  o.articulos = 0;
  demo::CreaBaseDemo(dir.filePath("vacia.db"), o);
  Base db(dir.filePath("vacia.db"));
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MV_DIARIOS"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_MA_ARTICULOS"), 0);
  EXPECT_EQ(db.Entero("SELECT COUNT(*) FROM V_TA_TECNICOS"), 12);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  OT'"), 0);
  EXPECT_GT(db.Entero("SELECT COUNT(*) FROM V_MV_CPTE WHERE TC = '  FC'"), 0);
}

TEST(DemoGenerador, AFileThatCannotBeCreatedIsReported) {
  QTemporaryDir dir;
  EXPECT_THROW(demo::CreaEsquema(dir.filePath("no/existe/base.db")), vb::Error);
}
