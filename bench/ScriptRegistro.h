#pragma once
// The patient register of the benchmarks at clinic scale, made on the server by one script.
#include <string>

// Patients named from common first and last names and their number, one doctor, and (at scale)
// two exams per patient over the last years.
inline std::string ScriptRegistro(int pacientes) {
  return "SET TERM ^ ;\n"
         "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE M INTEGER; DECLARE P INTEGER; BEGIN\n"
         "  M = GEN_ID(CODIGO_MEDICOS, 1);\n"
         "  INSERT INTO MEDICOS (CODIGO, NOME) VALUES (:M, 'Dr. Álvaro Brandão');\n"
         "  WHILE (:I < " + std::to_string(pacientes) + ") DO BEGIN\n"
         "    P = GEN_ID(CODIGO_PACIENTES, 1);\n"
         "    INSERT INTO PACIENTES (CODIGO, NOME, RG, DTCADASTRO, TOTALEXAMES) VALUES (:P,\n"
         "      DECODE(MOD(:I, 10), 0, 'João', 1, 'Maria', 2, 'José', 3, 'Ana', 4, 'Antônio', 5, 'Conceição',\n"
         "        6, 'Inês', 7, 'Luís', 8, 'Cecília', 'Álvaro') || ' ' ||\n"
         "      DECODE(MOD(:I / 10, 8), 0, 'da Silva', 1, 'Conceição', 2, 'Araújo', 3, 'Gonçalves', 4, 'Pereira',\n"
         "        5, 'Ribeiro', 6, 'Simões', 'Brandão') || ' ' || :I,\n"
         "      LPAD(:I, 9, '0'), CURRENT_DATE, " + std::string(pacientes > 1 ? "2" : "0") + ");\n" +
         (pacientes > 1
              ? "    INSERT INTO EXAMES (CODIGO, CODPACIENTE, CODRESP, DATA, HORA, OLHO, TIPOEXAME, BACKUP, DIAG,\n"
                "      OBSERVACAO, INDCONF, NUMANEIS, TIPOCONE) VALUES (GEN_ID(CODIGO_EXAMES, 1), :P, :M,\n"
                "      DATEADD(-MOD(:I, 3000) DAY TO CURRENT_DATE), TIME '09:30:00', 'OD', 'T', '', '', '', 0.9, 24, '4');\n"
                "    INSERT INTO EXAMES (CODIGO, CODPACIENTE, CODRESP, DATA, HORA, OLHO, TIPOEXAME, BACKUP, DIAG,\n"
                "      OBSERVACAO, INDCONF, NUMANEIS, TIPOCONE) VALUES (GEN_ID(CODIGO_EXAMES, 1), :P, :M,\n"
                "      DATEADD(-MOD(:I, 3000) DAY TO CURRENT_DATE), TIME '09:31:00', 'OS', 'T', '', '', '', 0.9, 24, '4');\n"
              : "") +
         "    I = :I + 1;\n"
         "  END\n"
         "END^\n"
         "SET TERM ; ^\n";
}

