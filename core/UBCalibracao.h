#pragma once
// The calibration's results in the calibration folder: one file per sphere ("1.txt" .. "4.txt": the
// sphere's curvature, then the processing module's mean per ring) and "Coef.txt", the line fitted ring
// by ring through the four spheres (two lines per ring, a then b).
#include <string>

// Sphere 1 .. 4's radius in millimetres as text, with the decimal separator of the moment.
std::string TextoRaioEsfera(int Esfera);

// Fits the first N rings from the four sphere files of Pasta (ending in "\") and writes "Coef.txt".
// Missing or short files raise EReadError; equal values on the four spheres raise EZeroDivide.
void GravarCoeficientes(const std::string& Pasta, unsigned char N);
