C; Example entries for pirclean, made up for this project.
C; Lines before the first identifier line are skipped.

>P1;EXMP01 kinase
Example protein kinase domain fragment - synthetic
    1 MFPCDVENWC THCDQQDIDV QCWEIWCWWP CICVFLQFVE WLVGEWWHNE
   51 VDWCYHSVQM RWRNLIGIDW LTSMRLYDET QGMFSQCDVW MMNYSWRDDK
  101 SDCLWRLPNA RNGYESCHLF IPPSDGRPVK FQVKQNP*

>F1;EXMP02
Example aligned fragment with gaps - synthetic
IFDGFIIASWGKLAFQVNYW--MFTYCRVPPPPESPCHDHRGEMYCEAWFVENYADH---
-YPFKNYNSEESRSSLDFEMKSGTAHTNFVATLDKTNGNIVV
*

>EXMP03 peptide
Example peptide - synthetic
mkvlaagiw gsh*
