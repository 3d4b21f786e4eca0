#include "base_cptes.h"

#include "platform/cls_datos.h"

void ConBase::SetUp() {
  e.CreaBase();
  e.Inicia();
  ASSERT_TRUE(gDatos.Conectado());
}

void ConBase::Config(const QString& clave, const QString& valor) {
  e.Sql("DELETE FROM TA_CONFIGURACION WHERE CLAVE = " + ClsDatos::Literal(clave));
  e.Sql("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (" + ClsDatos::Literal(clave) + ", " +
        ClsDatos::Literal(valor) + ")");
}

void ConBase::Venta(const QString& tc, const QString& clave, int complemento, const QString& nombre,
                    const QString& importe, int anulada, const QString& tcOrigen, const QString& origen,
                    const QString& complementoOrigen) {
  auto texto = [](const QString& t) { return t.isNull() ? QString("NULL") : ClsDatos::Literal(t); };
  e.Sql(QString("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, FECHA, CUENTA, NOMBRE, IMPORTE, ANULADA, "
                "TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES (%1, %2, %3, '2026-03-01', 'C001', %4, %5, %6, "
                "%7, %8, %9)")
            .arg(ClsDatos::Literal(tc.rightJustified(4)), ClsDatos::Literal(clave), QString::number(complemento),
                 ClsDatos::Literal(nombre), importe.isNull() ? QString("NULL") : importe, QString::number(anulada),
                 texto(tcOrigen.isNull() ? QString() : tcOrigen.rightJustified(4)), texto(origen),
                 complementoOrigen.isNull() ? QString("NULL") : complementoOrigen));
}
