#pragma once
// A model cornea: a conicoid (optionally toric and decentred) seen by a telecentric camera along
// the instrument axis, with the pupil behind it. Lengths in millimetres; +z points into the eye,
// x to the right and y up in the picture.

struct ModelEye {
  double raio = 7.80;      // apex radius on the flat meridian
  double raio2 = 0.0;      // apex radius on the meridian 90 degrees away (0: same as raio)
  double eixo = 0.0;       // angle of the flat meridian, degrees counter-clockwise from the right
  double asfericidade = 0.0;  // Q: 0 sphere, negative prolate
  double decX = 0.0, decY = 0.0;  // apex position off the instrument axis
  double pupilaRaio = 1.6, pupilaX = 0.0, pupilaY = 0.0;
  double limbo = 5.8;      // corneal radius; sclera beyond it
  // Orthokeratology: the apex flattened by `orto` dioptres, smoothly back to the base surface at
  // `zonaOrto` millimetres from the apex (the treatment zone).
  double orto = 0.0, zonaOrto = 3.0;
  // Keratoconus: a local steepening of `ceratocone` dioptres at its peak, centred at (coneX, coneY)
  // off the apex, of width (standard deviation) coneRaio.
  double ceratocone = 0.0, coneX = 0.0, coneY = 0.0, coneRaio = 1.0;
};

// Sag of the surface at (x, y); false outside the cornea (or where the conicoid has no point).
bool Sag(const ModelEye& olho, double x, double y, double& z);

// Unit normal pointing out of the eye (toward the camera) at (x, y).
bool Normal(const ModelEye& olho, double x, double y, double n[3]);
