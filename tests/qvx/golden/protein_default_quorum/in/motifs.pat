/ motifs from the help text
G[DE]S#[GIV]!HP![DE]#  1
KK 0
