#pragma once
// The model eyes the capture stand-in offers the operator, in the order of its list (the index is
// what its "MODELO" setting chooses).
#include <vector>

#include "plugins/common/ModelEye.h"

enum ModeloOlhoId {
  kEsferaReferencia,
  kCorneaNormal,
  kAstigmatismoAFavor,
  kAstigmatismoObliquo,
  kCorneaPlana,
  kCorneaCurva,
  kCeratoconeCentral,
  kCeratoconeCentralAvancado,
  kCeratoconePeriferico,
  kCeratoconePerifericoAvancado,
  kAstigmatismoIrregular,
  kAstigmatismoIrregularObliquo,
};

struct ModeloOlho {
  const char* nome;
  ModelEye olho;
};

const std::vector<ModeloOlho>& ModelosOlho();

// A model placed in the right or the left eye: the left eye mirrors the right one about the vertical.
ModelEye NoOlho(ModelEye olho, bool direito);
