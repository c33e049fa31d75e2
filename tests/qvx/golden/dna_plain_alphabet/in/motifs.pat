/ nucleotide motifs
TATAAT 1
AGGAGR 0
AT#G# 0
