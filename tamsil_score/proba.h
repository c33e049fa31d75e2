// Markov and Bayes coding probabilities of tamsil_score.
//
// Likelihood vector L and posterior vector P, 7 values each: indices 0 to 2
// the direct strand in internal phase 0, 1, 2; 3 to 5 the reverse strand in
// internal phase 0, 1, 2; 6 the non-coding model.
#ifndef TAMSIL_PROBA_H
#define TAMSIL_PROBA_H

#include "matrix.h"

const int kHypotheses = 7;

// Fills the log10 conditional and prefix tables of the matrix from its counts.
void ProbaCond(MarkovMatrix *mat);

// log10 likelihoods of the sequence (upper case, T for U) scored over
// `positions` word positions. Returns 1.
int ProbaMarkov(const char *seq, int positions, const MarkovMatrix *mat, double L[kHypotheses]);

// Posterior probabilities from the likelihoods and the prior probability of
// coding (strictly between 0 and 1), computed from likelihood differences
// only so that long sequences stay finite.
void ProbaBayes(const double L[kHypotheses], double prior, double P[kHypotheses]);

#endif
