<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>AnimationExport</name>
    <message>
        <source>%1 frame</source>
        <translation>%1 image</translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation>%1 images</translation>
    </message>
    <message>
        <source>Wrote %1: %2, %3 s under %4.</source>
        <translation>%1 écrit : %2, %3 s sous %4.</translation>
    </message>
</context>
<context>
    <name>Build</name>
    <message>
        <source>%1; %2 at %3, wired as %4</source>
        <translation>%1 ; %2 à %3, câblé selon %4</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>avr-size cannot read the compiled program:
%1</source>
        <translation>avr-size ne sait pas lire le programme compilé :
%1</translation>
    </message>
    <message>
        <source>the program is too large to build for the %1 (over %2 MB of code)</source>
        <translation>le programme est trop gros pour être construit pour l&apos;%1 (plus de %2 Mo de code)</translation>
    </message>
    <message>
        <source>the program does not compile for the %1: the compiler finds an error at line %2</source>
        <translation>le programme ne se compile pas pour l&apos;%1 : le compilateur trouve une erreur à la ligne %2</translation>
    </message>
    <message>
        <source>the program does not compile for the %1</source>
        <translation>le programme ne se compile pas pour l&apos;%1</translation>
    </message>
    <message>
        <source>cannot run %1 (are the Debian packages gcc-avr and binutils-avr installed?)</source>
        <translation>impossible de lancer %1 (les paquets Debian gcc-avr et binutils-avr sont-ils installés ?)</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>impossible de lire %1</translation>
    </message>
    <message>
        <source>cannot make a scratch folder</source>
        <translation>impossible de créer un dossier de travail</translation>
    </message>
    <message>
        <source>flash %1 of %2 bytes (%3), RAM %4 of %5 bytes (%6: data %7, bss %8, stack %9)</source>
        <translation>flash %1 octets sur %2 (%3), RAM %4 octets sur %5 (%6 : data %7, bss %8, pile %9)</translation>
    </message>
    <message>
        <source>%1; %2 at %3</source>
        <translation>%1 ; %2 à %3</translation>
    </message>
    <message>
        <source>the program needs %1 bytes of flash, and the %2 has %3</source>
        <translation>le programme demande %1 octets de flash, et l&apos;%2 en a %3</translation>
    </message>
    <message>
        <source>the program needs %1 bytes of RAM (data, bss and %2 of stack), and the %3 has %4</source>
        <translation>le programme demande %1 octets de RAM (data, bss et %2 de pile), et l&apos;%3 en a %4</translation>
    </message>
    <message>
        <source>the compact build needs a program as the editor writes it; this one was edited by hand</source>
        <translation>la version compacte demande un programme tel que l&apos;écrit l&apos;éditeur ; celui-ci a été modifié à la main</translation>
    </message>
    <message>
        <source>the build for the %1</source>
        <translation>la construction pour l&apos;%1</translation>
    </message>
    <message>
        <source>the compact build</source>
        <translation>la version compacte</translation>
    </message>
    <message>
        <source>%1 shows what %2 shows, under BP1, BP2, BP3 and Aucun</source>
        <translation>%1 affiche ce qu&apos;affiche %2, sous BP1, BP2, BP3 et Aucun</translation>
    </message>
    <message>
        <source>too large to build (over %1 MB of code)</source>
        <translation>trop gros pour être construit (plus de %1 Mo de code)</translation>
    </message>
    <message>
        <source>unrolled %1; compact %2</source>
        <translation>déroulé %1 ; compact %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>The cube&apos;s wiring (as ledcube-sim --wiring).</source>
        <translation>Le câblage du cube (comme ledcube-sim --wiring).</translation>
    </message>
    <message>
        <source>The chip or board to build for (as ledcube-sim --chip).</source>
        <translation>La puce ou la carte pour laquelle construire (comme ledcube-sim --chip).</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>--chip takes one of %1, not &apos;%2&apos;</source>
        <translation>--chip prend l&apos;une de %1, pas « %2 »</translation>
    </message>
    <message>
        <source>Editor of light animations for a 3x3x3 LED cube that writes the cube&apos;s
AVR ATmega8535 firmware, one block of C per action, to ~/D/NAME.c.
Qt&apos;s standard options (-platform, -style, ...) are accepted too.</source>
        <translation>Éditeur d&apos;animations lumineuses pour un cube de LED 3x3x3, qui écrit le
micrologiciel de l&apos;AVR ATmega8535 du cube, un bloc de C par action, dans ~/D/NOM.c.
Les options standard de Qt (-platform, -style, ...) sont acceptées aussi.</translation>
    </message>
    <message>
        <source>Plays a program written by the ledcube editor on a simulated ATmega8535 in real
time, with the cube&apos;s push buttons under your hands, and follows the file as it grows.
Qt&apos;s standard options (-platform, -style, ...) are accepted too.</source>
        <translation>Joue un programme écrit par l&apos;éditeur ledcube sur un ATmega8535 simulé en temps
réel, les boutons-poussoirs du cube sous la main, et suit le fichier à mesure qu&apos;il grandit.
Les options standard de Qt (-platform, -style, ...) sont acceptées aussi.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>the program to play (.c)</source>
        <translation>le programme à jouer (.c)</translation>
    </message>
    <message>
        <source>LED cube player</source>
        <translation>Lecteur du cube de LED</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu « %1 »</translation>
    </message>
    <message>
        <source>one file at most</source>
        <translation>un fichier au plus</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l&apos;aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Essayez « %1 --help » pour en savoir plus.</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Utilisation :</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>
Options:
</source>
        <translation>
Options :
</translation>
    </message>
    <message>
        <source>
Arguments:
</source>
        <translation>
Arguments :
</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Option inconnue « %1 ».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Options inconnues : %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Valeur manquante après « %1 ».</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>&apos;%1&apos; is not a valid whole number</source>
        <translation>« %1 » n&apos;est pas une valeur entière correcte</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Give the frame&apos;s duration in milliseconds: a whole number, 15 or more.</source>
        <translation>Indiquez la durée de l&apos;image en millisecondes : un nombre entier, 15 ou plus.</translation>
    </message>
    <message>
        <source>Duration too long: %1 ms. A frame lasts at most %2 ms, otherwise the microcontroller repeats it endlessly.</source>
        <translation>Durée trop longue : %1 ms. Une image dure au plus %2 ms, sinon le microcontrôleur la répète sans fin.</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation>%1 séquence</translation>
    </message>
    <message>
        <source>%1 sequences</source>
        <translation>%1 séquences</translation>
    </message>
    <message>
        <source>%1 program</source>
        <translation>%1 programme</translation>
    </message>
    <message>
        <source>%1 programs</source>
        <translation>%1 programmes</translation>
    </message>
    <message>
        <source>%1 frame</source>
        <translation>%1 image</translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation>%1 images</translation>
    </message>
    <message>
        <source>more than the %1 bytes</source>
        <translation>plus que les %1 octets</translation>
    </message>
    <message>
        <source>within 1% of the %1 bytes</source>
        <translation>à moins de 1 % des %1 octets</translation>
    </message>
    <message>
        <source>Frame %1 of the program
Estimated size so far: %2 bytes of %3 of flash memory (%4)</source>
        <translation>Image n° %1 du programme
Taille estimée jusqu&apos;ici : %2 octets sur %3 de mémoire flash (%4)</translation>
    </message>
    <message>
        <source>The program may no longer fit in the ATmega8535.</source>
        <translation>Le programme risque de ne plus tenir dans l&apos;ATmega8535.</translation>
    </message>
    <message>
        <source>Frame %1 would bring the program to about %2 bytes (closings included), %3 of the ATmega8535&apos;s flash memory: the program may no longer fit in the microcontroller, and a frame once written can no longer be taken out of the file.

The compact version (ledcube-sim --compact), which keeps the frames in a table, would still fit: it holds up to %4 of them with %5.

Add this frame anyway?</source>
        <translation>L&apos;image n° %1 porterait le programme à environ %2 octets (fermetures comprises), %3 de mémoire flash de l&apos;ATmega8535 : le programme risque de ne plus tenir dans le microcontrôleur, et une image écrite ne peut plus être retirée du fichier.

La version compacte (ledcube-sim --compact), qui range les images dans un tableau, tiendrait encore : elle en contient jusqu&apos;à %4 avec %5.

Ajouter cette image quand même ?</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>This file already holds %1: a new program will be added at its end.</source>
        <translation>Ce fichier contient déjà %1 : un nouveau programme sera ajouté à la suite.</translation>
    </message>
    <message>
        <source>The last program of the file is not finished (Finir was not clicked): a program added after it will not compile.</source>
        <translation>Le dernier programme du fichier n&apos;est pas terminé (Finir n&apos;a pas été cliqué) : un programme ajouté après lui ne compilera pas.</translation>
    </message>
    <message>
        <source>A frame of %1 ms lasts less than one pass over the three layers (15 ms): the cube will never show it, but it will still take room in the flash memory.

Add this frame anyway?</source>
        <translation>Une image de %1 ms dure moins d&apos;un passage sur les trois étages (15 ms) : le cube ne l&apos;affichera jamais, mais elle prendra quand même de la place dans la mémoire flash.

Ajouter cette image quand même ?</translation>
    </message>
    <message>
        <source>The program of %1 is not finished: without Finir, it stays unfinished in the file and does not compile as it is.

Close anyway?</source>
        <translation>Le programme de %1 n&apos;est pas terminé : sans Finir, il reste inachevé dans le fichier et ne se compile pas tel quel.

Fermer quand même ?</translation>
    </message>
    <message>
        <source>The program will be written to %1, after the %2 it holds.</source>
        <translation>Le programme sera écrit dans %1, à la suite des %2 qu&apos;il contient.</translation>
    </message>
    <message>
        <source>The program will be written to %1.</source>
        <translation>Le programme sera écrit dans %1.</translation>
    </message>
    <message>
        <source>Type the file&apos;s name, then Commencer.</source>
        <translation>Tapez le nom du fichier, puis Commencer.</translation>
    </message>
    <message>
        <source>about %1 bytes of %2</source>
        <translation>environ %1 octets sur %2</translation>
    </message>
    <message>
        <source>program started: choose the button combination of the first sequence</source>
        <translation>programme commencé : choisissez la combinaison de boutons de la première séquence</translation>
    </message>
    <message>
        <source>sequence %1 — no frame yet</source>
        <translation>séquence %1 — aucune image encore</translation>
    </message>
    <message>
        <source>sequence %1</source>
        <translation>séquence %1</translation>
    </message>
    <message>
        <source>between the sequences</source>
        <translation>entre les séquences</translation>
    </message>
    <message>
        <source>sequence %1 closed: %2 — choose the next combination, or Finir</source>
        <translation>séquence %1 fermée : %2 — choisissez la combinaison suivante, ou Finir</translation>
    </message>
    <message>
        <source>program finished: %1</source>
        <translation>programme terminé : %1</translation>
    </message>
    <message>
        <source>No file name: type the file&apos;s name before starting.</source>
        <translation>Aucun nom de fichier : tapez le nom du fichier avant de commencer.</translation>
    </message>
    <message>
        <source>The file could not be put back as it was: it now ends with an incomplete block, from byte %1; a program added after it would not compile. Take this incomplete block out (or choose another name) before going on.</source>
        <translation>Le fichier n&apos;a pas pu être remis comme avant : il se termine maintenant par un bloc incomplet, à partir de l&apos;octet %1 ; un programme ajouté après lui ne compilerait pas. Retirez ce bloc incomplet (ou choisissez un autre nom) avant de continuer.</translation>
    </message>
    <message>
        <source>Cannot open the file “%1”: %2</source>
        <translation>Impossible d&apos;ouvrir le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot write to the file “%1”: %2</source>
        <translation>Impossible d&apos;écrire dans le fichier « %1 » : %2</translation>
    </message>
    <message>
        <source>The home folder cannot be found: there is nowhere to put the file.</source>
        <translation>Le dossier personnel est introuvable : impossible de placer le fichier.</translation>
    </message>
    <message>
        <source>The file&apos;s name holds a null character: choose another name.</source>
        <translation>Le nom du fichier contient un caractère nul : choisissez un autre nom.</translation>
    </message>
    <message>
        <source>The path “%1” is not on drive D:.</source>
        <translation>Le chemin « %1 » n&apos;est pas sur le lecteur D:.</translation>
    </message>
    <message>
        <source>frame %1 recorded (%2 ms = %3 on the ATmega8535)</source>
        <translation>image %1 enregistrée (%2 ms = %3 sur l’ATmega8535)</translation>
    </message>
    <message>
        <source>frame %1 recorded (%2 ms = %3)</source>
        <translation>image %1 enregistrée (%2 ms = %3)</translation>
    </message>
</context>
<context>
    <name>Flashing</name>
    <message>
        <source>the board&apos;s bootloader (Arduino)</source>
        <translation>le chargeur d&apos;amorçage de la carte (Arduino)</translation>
    </message>
    <message>
        <source>Arduino as ISP</source>
        <translation>Arduino en programmateur ISP</translation>
    </message>
    <message>
        <source>flashed %1 bytes to the %2 and verified</source>
        <translation>%1 octets écrits dans l&apos;%2 et vérifiés</translation>
    </message>
    <message>
        <source>flashed %1 bytes to the %2 on %3 and verified</source>
        <translation>%1 octets écrits dans l&apos;%2 sur %3 et vérifiés</translation>
    </message>
    <message>
        <source>no permission to use %1: add yourself to the dialout group (sudo adduser $USER dialout), then log out and in</source>
        <translation>pas le droit d&apos;utiliser %1 : ajoutez-vous au groupe dialout (sudo adduser $USER dialout), puis fermez la session et rouvrez-la</translation>
    </message>
    <message>
        <source>there is no serial port %1: plug the board in and choose its port</source>
        <translation>il n&apos;y a pas de port série %1 : branchez la carte et choisissez son port</translation>
    </message>
    <message>
        <source>no programmer found (avrdude finds no %1 device on USB): plug it in, or choose the programmer you have</source>
        <translation>aucun programmateur trouvé (avrdude ne trouve aucun appareil %1 sur l&apos;USB) : branchez-le, ou choisissez le programmateur que vous avez</translation>
    </message>
    <message>
        <source>a chip avrdude does not know</source>
        <translation>une puce qu&apos;avrdude ne connaît pas</translation>
    </message>
    <message>
        <source>an %1</source>
        <translation>un %1</translation>
    </message>
    <message>
        <source>the chip that answered is %1 (signature %2), not the %3: choose the chip or board you have</source>
        <translation>la puce qui a répondu est %1 (signature %2), pas l&apos;%3 : choisissez la puce ou la carte que vous avez</translation>
    </message>
    <message>
        <source> (first difference at byte %1)</source>
        <translation> (première différence à l&apos;octet %1)</translation>
    </message>
    <message>
        <source>verification failed: the chip does not hold what was written%1; flash it again</source>
        <translation>échec de la vérification : la puce ne contient pas ce qui a été écrit%1 ; programmez-la à nouveau</translation>
    </message>
    <message>
        <source>nothing answers on %1: check that the board is plugged in, that this is its port and that the board chosen is yours (its bootloader talks at %2 baud)</source>
        <translation>rien ne répond sur %1 : vérifiez que la carte est branchée, que c&apos;est bien son port et que la carte choisie est la vôtre (son chargeur d&apos;amorçage parle à %2 bauds)</translation>
    </message>
    <message>
        <source>nothing answers on %1: check that the programmer is plugged in and wired to the chip, and that the chip has power</source>
        <translation>rien ne répond sur %1 : vérifiez que le programmateur est branché et relié à la puce, et que la puce est alimentée</translation>
    </message>
    <message>
        <source>avrdude did not flash the chip (exit status %1); its log says what went wrong</source>
        <translation>avrdude n&apos;a pas programmé la puce (code de sortie %1) ; son journal dit ce qui n&apos;a pas marché</translation>
    </message>
    <message>
        <source>avrdude&apos;s default port</source>
        <translation>le port par défaut d&apos;avrdude</translation>
    </message>
    <message>
        <source>avrdude is not installed: install it with sudo apt install avrdude</source>
        <translation>avrdude n&apos;est pas installé : installez-le avec sudo apt install avrdude</translation>
    </message>
    <message>
        <source>stopped: the chip may now hold part of the program; flash it again before using it</source>
        <translation>arrêté : la puce peut ne contenir qu&apos;une partie du programme ; programmez-la à nouveau avant de vous en servir</translation>
    </message>
    <message>
        <source>the board stopped answering on %1 while the %2 bytes written were verified: check the cable and flash again</source>
        <translation>la carte a cessé de répondre sur %1 pendant la vérification des %2 octets écrits : vérifiez le câble et flashez à nouveau</translation>
    </message>
    <message>
        <source>the programmer (%1) stopped answering while the %2 bytes written were verified: check its cable and the chip&apos;s power, and flash again</source>
        <translation>le programmateur (%1) a cessé de répondre pendant la vérification des %2 octets écrits : vérifiez son câble et l&apos;alimentation de la puce, et flashez à nouveau</translation>
    </message>
    <message>
        <source>the board stopped answering on %1 after %2 of %3 bytes: check the cable and flash again</source>
        <translation>la carte a cessé de répondre sur %1 après %2 octets sur %3 : vérifiez le câble et flashez à nouveau</translation>
    </message>
    <message>
        <source>the programmer (%1) stopped answering after %2 of %3 bytes: check its cable and the chip&apos;s power, and flash again</source>
        <translation>le programmateur (%1) a cessé de répondre après %2 octets sur %3 : vérifiez son câble et l&apos;alimentation de la puce, et flashez à nouveau</translation>
    </message>
</context>
<context>
    <name>Player</name>
    <message>
        <source>the program has stopped</source>
        <translation>le programme s&apos;est arrêté</translation>
    </message>
    <message>
        <source>frames unknown (the program was edited by hand)</source>
        <translation>images inconnues (le programme a été modifié à la main)</translation>
    </message>
    <message>
        <source>no recorded frame lit</source>
        <translation>aucune image enregistrée allumée</translation>
    </message>
    <message>
        <source>between the sequences</source>
        <translation>entre les séquences</translation>
    </message>
    <message>
        <source>%1 sequence %2 of %3</source>
        <translation>séquence %1 %2 sur %3</translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation>séquence %1</translation>
    </message>
    <message>
        <source>%1: frame %2 of %3</source>
        <translation>%1 : image %2 sur %3</translation>
    </message>
</context>
<context>
    <name>ProgramDocument</name>
    <message>
        <source>read-only: the program was edited by hand (from line %1 it is not the editor&apos;s text: a comment, a blank line, spacing or a value the editor never writes); it plays as written</source>
        <translation>lecture seule : le programme a été modifié à la main (à partir de la ligne %1 ce n&apos;est plus le texte de l&apos;éditeur : un commentaire, une ligne vide, des espaces ou une valeur que l&apos;éditeur n&apos;écrit jamais) ; il joue tel qu&apos;il est écrit</translation>
    </message>
    <message>
        <source>read-only: the program holds text the editor never writes (%1)</source>
        <translation>lecture seule : le programme contient du texte que l&apos;éditeur n&apos;écrit jamais (%1)</translation>
    </message>
    <message>
        <source>%1 changed on disk since it was read: it is not overwritten. Save under another name; your edits are kept.</source>
        <translation>%1 a changé sur le disque depuis sa lecture : il n&apos;est pas écrasé. Enregistrez sous un autre nom ; vos modifications sont gardées.</translation>
    </message>
    <message>
        <source>%1 cannot be written (%2); nothing was written and your edits are kept.</source>
        <translation>%1 ne peut pas être écrit (%2) ; rien n&apos;a été écrit et vos modifications sont gardées.</translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation>Décaler à droite</translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation>Décaler à gauche</translation>
    </message>
    <message>
        <source>Shift to the back</source>
        <translation>Décaler vers l&apos;arrière</translation>
    </message>
    <message>
        <source>Shift to the front</source>
        <translation>Décaler vers l&apos;avant</translation>
    </message>
    <message>
        <source>Shift up a layer</source>
        <translation>Monter d&apos;un étage</translation>
    </message>
    <message>
        <source>Shift down a layer</source>
        <translation>Descendre d&apos;un étage</translation>
    </message>
    <message>
        <source>Turn clockwise (seen from above)</source>
        <translation>Tourner dans le sens horaire (vu de dessus)</translation>
    </message>
    <message>
        <source>Turn anticlockwise (seen from above)</source>
        <translation>Tourner dans le sens antihoraire (vu de dessus)</translation>
    </message>
    <message>
        <source>Mirror left ↔ right</source>
        <translation>Miroir gauche ↔ droite</translation>
    </message>
    <message>
        <source>Mirror back ↔ front</source>
        <translation>Miroir arrière ↔ avant</translation>
    </message>
    <message>
        <source>Mirror top ↔ bottom</source>
        <translation>Miroir haut ↔ bas</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Inverser</translation>
    </message>
    <message>
        <source>Delete sequence</source>
        <translation>Supprimer la séquence</translation>
    </message>
    <message>
        <source>Delete frame</source>
        <translation>Supprimer l&apos;image</translation>
    </message>
    <message>
        <source>Delete %1 frames</source>
        <translation>Supprimer %1 images</translation>
    </message>
    <message>
        <source>Cut frame</source>
        <translation>Couper l&apos;image</translation>
    </message>
    <message>
        <source>Cut %1 frames</source>
        <translation>Couper %1 images</translation>
    </message>
    <message>
        <source>Paste frame</source>
        <translation>Coller l&apos;image</translation>
    </message>
    <message>
        <source>Paste %1 frames</source>
        <translation>Coller %1 images</translation>
    </message>
    <message>
        <source>Duplicate frame</source>
        <translation>Dupliquer l&apos;image</translation>
    </message>
    <message>
        <source>Duplicate %1 frames</source>
        <translation>Dupliquer %1 images</translation>
    </message>
    <message>
        <source>Insert empty frame</source>
        <translation>Insérer une image vide</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Move frames</source>
        <translation>Déplacer des images</translation>
    </message>
    <message>
        <source>New %1 sequence</source>
        <translation>Nouvelle séquence %1</translation>
    </message>
    <message>
        <source>Make it a %1 sequence</source>
        <translation>En faire une séquence %1</translation>
    </message>
    <message>
        <source>Duplicate and %1</source>
        <translation>Dupliquer et %1</translation>
    </message>
    <message>
        <source>Set the duration to %1 ms</source>
        <translation>Mettre la durée à %1 ms</translation>
    </message>
    <message>
        <source>Turn LED %1 on or off</source>
        <translation>Allumer ou éteindre la LED %1</translation>
    </message>
    <message>
        <source>Insert effect %1: %2 frame</source>
        <translation>Insérer l&apos;effet %1 : %2 image</translation>
    </message>
    <message>
        <source>Insert effect %1: %2 frames</source>
        <translation>Insérer l&apos;effet %1 : %2 images</translation>
    </message>
</context>
<context>
    <name>Proof</name>
    <message>
        <source>%1 for %2 pass (%3 ms)</source>
        <translation>%1 pendant %2 passage (%3 ms)</translation>
    </message>
    <message>
        <source>%1 for %2 passes (%3 ms)</source>
        <translation>%1 pendant %2 passages (%3 ms)</translation>
    </message>
    <message>
        <source>shown frame %1, at %2 ms: </source>
        <translation>image affichée %1, à %2 ms : </translation>
    </message>
    <message>
        <source>the generated program on the %1</source>
        <translation>le programme généré sur l&apos;%1</translation>
    </message>
    <message>
        <source>the frames read from the program (the generated program does not fit even the ATmega32)</source>
        <translation>les images lues dans le programme (le programme généré ne tient même pas dans l&apos;ATmega32)</translation>
    </message>
    <message>
        <source>%1 does not show what %2 shows under %3: %4</source>
        <translation>%1 n&apos;affiche pas ce qu&apos;affiche %2 sous %3 : %4</translation>
    </message>
    <message>
        <source>the compact build needs %1 bytes of flash, and the %2 has %3: it holds at most %4 frames in %5, and this program has %6 frames</source>
        <translation>la version compacte demande %1 octets de flash, et l&apos;%2 en a %3 : elle contient au plus %4 images en %5, et ce programme a %6 images</translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation>%1 séquence</translation>
    </message>
    <message>
        <source>%1 sequences</source>
        <translation>%1 séquences</translation>
    </message>
    <message>
        <source>the compact build</source>
        <translation>la version compacte</translation>
    </message>
    <message>
        <source>%1 shows %2, %3 nothing</source>
        <translation>%1 affiche %2, %3 rien</translation>
    </message>
    <message>
        <source>%1 shows nothing, %2 %3</source>
        <translation>%1 n&apos;affiche rien, %2 %3</translation>
    </message>
    <message>
        <source>%1 shows %2, %3 %4</source>
        <translation>%1 affiche %2, %3 %4</translation>
    </message>
    <message>
        <source>the generated program</source>
        <translation>le programme généré</translation>
    </message>
    <message>
        <source>the frames read</source>
        <translation>les images lues</translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>the text is not frames as the editor writes them</source>
        <translation>le texte n&apos;est pas fait d&apos;images comme les écrit l&apos;éditeur</translation>
    </message>
    <message>
        <source>the text holds no frame</source>
        <translation>le texte ne contient aucune image</translation>
    </message>
    <message>
        <source>the last push-button sequence is not closed (FinirBP)</source>
        <translation>la dernière séquence de boutons n&apos;est pas fermée (FinirBP)</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1 : %2</translation>
    </message>
    <message>
        <source>a push-button sequence opens inside another one</source>
        <translation>une séquence de boutons s&apos;ouvre dans une autre</translation>
    </message>
    <message>
        <source>a closing brace without an open push-button sequence</source>
        <translation>une accolade fermante sans séquence de boutons ouverte</translation>
    </message>
    <message>
        <source>text the editor never writes</source>
        <translation>du texte que l&apos;éditeur n&apos;écrit jamais</translation>
    </message>
    <message>
        <source>a frame without a repeat count the editor can write</source>
        <translation>une image sans un nombre de répétitions que l&apos;éditeur peut écrire</translation>
    </message>
    <message>
        <source>a frame that differs from the editor&apos;s frames</source>
        <translation>une image différente de celles de l&apos;éditeur</translation>
    </message>
    <message>
        <source>this is not a program written by the editor: it does not start with its program header</source>
        <translation>ce n&apos;est pas un programme écrit par l&apos;éditeur : il ne commence pas par son en-tête de programme</translation>
    </message>
    <message>
        <source>the file holds %1 programs glued together (recorded one after another under the same name); keep one of them in a file of its own</source>
        <translation>le fichier contient %1 programmes collés (enregistrés l&apos;un après l&apos;autre sous le même nom) ; gardez-en un dans un fichier à lui</translation>
    </message>
    <message>
        <source>the program is unfinished: it does not end with the closing text that Finir writes</source>
        <translation>le programme est inachevé : il ne finit pas par le texte de fermeture qu&apos;écrit Finir</translation>
    </message>
    <message>
        <source>there is no program %1: the file holds %2 program</source>
        <translation>il n&apos;y a pas de programme %1 : le fichier contient %2 programme</translation>
    </message>
    <message>
        <source>there is no program %1: the file holds %2 programs</source>
        <translation>il n&apos;y a pas de programme %1 : le fichier contient %2 programmes</translation>
    </message>
    <message>
        <source>none of the %1 programs of the file is finished: none ends with the closing text that Finir writes</source>
        <translation>aucun des %1 programmes du fichier n&apos;est terminé : aucun ne finit par le texte de fermeture qu&apos;écrit Finir</translation>
    </message>
    <message>
        <source>program %1 is unfinished: it does not end with the closing text that Finir writes</source>
        <translation>le programme %1 est inachevé : il ne finit pas par le texte de fermeture qu&apos;écrit Finir</translation>
    </message>
    <message>
        <source>this is not a whole program: its header stops at line %1, before &quot;%2&quot;</source>
        <translation>ce n&apos;est pas un programme entier : son en-tête s&apos;arrête ligne %1, avant « %2 »</translation>
    </message>
    <message>
        <source>this is not a program written by the editor: line %1 reads &quot;%2&quot; where the editor writes &quot;%3&quot;</source>
        <translation>ce n&apos;est pas un programme écrit par l&apos;éditeur : la ligne %1 porte « %2 » là où l&apos;éditeur écrit « %3 »</translation>
    </message>
    <message>
        <source>a push-button test the editor never writes</source>
        <translation>un test des boutons que l&apos;éditeur n&apos;écrit jamais</translation>
    </message>
    <message>
        <source>a frame whose cells are not numbers</source>
        <translation>une image dont les cellules ne sont pas des nombres</translation>
    </message>
    <message>
        <source>line %1: cell %2 is given %3, which the cube does not show (0 is dark, 1 lit): its LED keeps the state it had</source>
        <translation>ligne %1 : la cellule %2 reçoit %3, que le cube ne montre pas (0 éteint, 1 allumé) : sa LED garde l&apos;état qu&apos;elle avait</translation>
    </message>
    <message>
        <source>the program is unfinished: it does not end with the closing text that Finir writes, and its last block is cut off at line %1</source>
        <translation>le programme est inachevé : il ne se termine pas par le texte de fermeture qu&apos;écrit Finir, et son dernier bloc est coupé ligne %1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>(cut by the end of the run)</source>
        <translation>(coupée par la fin de l&apos;exécution)</translation>
    </message>
    <message>
        <source>the cube showed nothing</source>
        <translation>le cube n&apos;a rien affiché</translation>
    </message>
    <message>
        <source>  start ms  passes  duration ms  cells (layer:back/middle/front)</source>
        <translation>  début ms  passes     durée ms  cellules (étage:arrière/milieu/avant)</translation>
    </message>
    <message>
        <source>  -- round %1 --</source>
        <translation>  -- tour %1 --</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>éteint</translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>the HEX does not fit the flash of the %1</source>
        <translation>le HEX ne tient pas dans la flash de l&apos;%1</translation>
    </message>
</context>
<context>
    <name>Storyboard</name>
    <message>
        <source>cannot write the animation %1: %2</source>
        <translation>impossible d&apos;écrire l&apos;animation %1 : %2</translation>
    </message>
    <message>
        <source>cannot write the animation %1</source>
        <translation>impossible d&apos;écrire l&apos;animation %1</translation>
    </message>
    <message>
        <source>%1, buttons %2</source>
        <translation>%1, boutons %2</translation>
    </message>
    <message>
        <source>%1. %2 ms, %3 pass%4</source>
        <translation>%1. %2 ms, %3 passage%4</translation>
    </message>
    <message>
        <source>%1. %2 ms, %3 passes%4</source>
        <translation>%1. %2 ms, %3 passages%4</translation>
    </message>
    <message>
        <source> (cut)</source>
        <translation> (coupée)</translation>
    </message>
    <message>
        <source>round %1</source>
        <translation>tour %1</translation>
    </message>
    <message>
        <source>nothing shown</source>
        <translation>rien d&apos;affiché</translation>
    </message>
    <message>
        <source>cannot write the storyboard %1</source>
        <translation>impossible d&apos;écrire la planche %1</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1; %2</source>
        <translation>%1 ; %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>Timing</name>
    <message>
        <source>%1 pass, never shown</source>
        <translation>%1 passage, jamais montrée</translation>
    </message>
    <message>
        <source>%1 passes, never shown</source>
        <translation>%1 passages, jamais montrée</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 pass ≈ %2</source>
        <translation>%1 passage ≈ %2</translation>
    </message>
    <message>
        <source>%1 passes ≈ %2</source>
        <translation>%1 passages ≈ %2</translation>
    </message>
</context>
<context>
    <name>ledcube-sim</name>
    <message>
        <source>Build the wiring test rather than a program: each LED alone in turn, half a second each, then each layer whole and the whole cube; a layer while its button is held (BP1 layer 1 ...). Compare the real cube, LED by LED.</source>
        <translation>Construire le test de câblage plutôt qu&apos;un programme : chaque LED seule à son tour, une demi-seconde chacune, puis chaque étage entier et le cube entier ; un étage tant que son bouton est tenu (BP1 l&apos;étage 1 ...). Comparez avec le vrai cube, LED par LED.</translation>
    </message>
    <message>
        <source>--wiring-test builds its own program, not &apos;%1&apos;</source>
        <translation>--wiring-test construit son propre programme, pas « %1 »</translation>
    </message>
    <message>
        <source>cannot read the wiring %1</source>
        <translation>impossible de lire le câblage %1</translation>
    </message>
    <message>
        <source>Build for the cube as wired in FILE: a pin for each of LED1 to LED9, Etage1 to Etage3 and BP1 to BP3, and the levels of leds lit, layers on and buttons pressed (a chip line stands for --chip).</source>
        <translation>Construire pour le cube câblé selon FICHIER : une broche pour chacune de LED1 à LED9, Etage1 à Etage3 et BP1 à BP3, et les niveaux de leds lit, layers on et buttons pressed (une ligne chip tient lieu de --chip).</translation>
    </message>
    <message>
        <source>Compiles a program written by the ledcube editor for the ATmega8535 (avr-gcc -Os),
or for another chip or board (--chip), reports its flash and RAM, runs it on a
simulated microcontroller with the push buttons held at one combination and prints
the frames the cube shows.

The 40-pin chips (atmega16, atmega32, atmega164p, atmega324p, atmega644p,
atmega1284p) use the ATmega8535&apos;s pins; the build switches their JTAG off. On the
boards (uno, nano, nano-old: ATmega328P at 16 MHz) the cube&apos;s wires go on:
  LED1..LED9       D2..D10  (PD2-PD7, PB0-PB2), a low level lights the LED
  Etage1..Etage3   A0..A2   (PC0-PC2), a high level selects the layer
  BP1..BP3         A3..A5   (PC3-PC5), pull-ups on
D0/D1 stay free for the USB serial, D11-D13 for an ISP programmer.</source>
        <translation>Compile un programme écrit par l&apos;éditeur ledcube pour l&apos;ATmega8535 (avr-gcc -Os),
ou pour une autre puce ou carte (--chip), donne sa flash et sa RAM, l&apos;exécute sur un
microcontrôleur simulé, les boutons-poussoirs tenus dans une combinaison, et écrit
les images qu&apos;affiche le cube.

Les puces à 40 broches (atmega16, atmega32, atmega164p, atmega324p, atmega644p,
atmega1284p) prennent les broches de l&apos;ATmega8535 ; la construction coupe leur JTAG.
Sur les cartes (uno, nano, nano-old : ATmega328P à 16 MHz) les fils du cube vont sur :
  LED1..LED9       D2..D10  (PD2-PD7, PB0-PB2), un niveau bas allume la LED
  Etage1..Etage3   A0..A2   (PC0-PC2), un niveau haut choisit l&apos;étage
  BP1..BP3         A3..A5   (PC3-PC5), résistances de tirage activées
D0/D1 restent libres pour la liaison série USB, D11-D13 pour un programmateur ISP.</translation>
    </message>
    <message>
        <source>The buttons held (default Aucun, any letter case).</source>
        <translation>Les boutons tenus (Aucun par défaut, majuscules ou minuscules).</translation>
    </message>
    <message>
        <source>MILLISECONDS</source>
        <translation>MILLISECONDES</translation>
    </message>
    <message>
        <source>How long to run (default: three rounds of the frames).</source>
        <translation>Durée de l&apos;exécution (par défaut : trois tours des images).</translation>
    </message>
    <message>
        <source>The N-th program of a file that holds several (default: the last finished one).</source>
        <translation>Le N-ième programme d&apos;un fichier qui en contient plusieurs (par défaut : le dernier terminé).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>Draw the shown frames as a storyboard.</source>
        <translation>Dessine les images affichées en planche.</translation>
    </message>
    <message>
        <source>Write what the cube shows as an animated GIF: one round of the frames (or --ms), each as long as it shows.</source>
        <translation>Écrit ce qu&apos;affiche le cube en GIF animé : un tour des images (ou --ms), chacune aussi longtemps qu&apos;elle s&apos;affiche.</translation>
    </message>
    <message>
        <source>PIXELS</source>
        <translation>PIXELS</translation>
    </message>
    <message>
        <source>The width of the animated GIF (default 320).</source>
        <translation>La largeur du GIF animé (320 par défaut).</translation>
    </message>
    <message>
        <source>Write the Intel HEX to put into the chip.</source>
        <translation>Écrit le HEX Intel à mettre dans la puce.</translation>
    </message>
    <message>
        <source>Put the program into the chip with avrdude (the HEX that --hex writes, unrolled or --compact) and verify it; the AVRDUDE environment variable names another avrdude.</source>
        <translation>Met le programme dans la puce avec avrdude (le HEX qu&apos;écrit --hex, déroulé ou --compact) et le vérifie ; la variable d&apos;environnement AVRDUDE désigne un autre avrdude.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>The avrdude programmer (default usbasp, or the board&apos;s bootloader).</source>
        <translation>Le programmateur d&apos;avrdude (usbasp par défaut, ou le chargeur d&apos;amorçage de la carte).</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>The serial port of the programmer or board for avrdude.</source>
        <translation>Le port série du programmateur ou de la carte pour avrdude.</translation>
    </message>
    <message>
        <source>The chip or board to build for: %1 (default atmega8535).</source>
        <translation>La puce ou la carte visée : %1 (atmega8535 par défaut).</translation>
    </message>
    <message>
        <source>The chip&apos;s clock when its fuses or crystal were changed (default: as delivered, 1 MHz for the 40-pin chips, 16 MHz for the boards).</source>
        <translation>L&apos;horloge de la puce quand ses fusibles ou son quartz ont été changés (par défaut : comme livrée, 1 MHz pour les puces à 40 broches, 16 MHz pour les cartes).</translation>
    </message>
    <message>
        <source>Build the frames as a table in flash read by one loop (up to %1 frames fit the ATmega8535), proven on the simulated chip against the generated program.</source>
        <translation>Construit les images en tableau dans la flash, lu par une seule boucle (jusqu&apos;à %1 images tiennent dans l&apos;ATmega8535), vérifié sur la puce simulée contre le programme généré.</translation>
    </message>
    <message>
        <source>Print the compiler&apos;s messages.</source>
        <translation>Écrit les messages du compilateur.</translation>
    </message>
    <message>
        <source>A program written by the ledcube editor.</source>
        <translation>Un programme écrit par l&apos;éditeur ledcube.</translation>
    </message>
    <message>
        <source>--buttons takes BP1, BP2, BP3 or Aucun, not &apos;%1&apos;</source>
        <translation>--buttons prend BP1, BP2, BP3 ou Aucun, pas « %1 »</translation>
    </message>
    <message>
        <source>--ms takes a duration in milliseconds, up to one hour, not &apos;%1&apos;</source>
        <translation>--ms prend une durée en millisecondes, jusqu&apos;à une heure, pas « %1 »</translation>
    </message>
    <message>
        <source>--program takes a program number from 1, not &apos;%1&apos;</source>
        <translation>--program prend un numéro de programme à partir de 1, pas « %1 »</translation>
    </message>
    <message>
        <source>--size takes a width in pixels from 64 to 2000, not &apos;%1&apos;</source>
        <translation>--size prend une largeur en pixels de 64 à 2000, pas « %1 »</translation>
    </message>
    <message>
        <source>--programmer takes an avrdude programmer name (letters, digits, - and _), not &apos;%1&apos;</source>
        <translation>--programmer prend un nom de programmateur d&apos;avrdude (lettres, chiffres, - et _), pas « %1 »</translation>
    </message>
    <message>
        <source>--chip takes one of %1, not &apos;%2&apos;</source>
        <translation>--chip prend l&apos;un de %1, pas « %2 »</translation>
    </message>
    <message>
        <source>--clock takes the clock in hertz, from 100000 to 20000000, not &apos;%1&apos;</source>
        <translation>--clock prend l&apos;horloge en hertz, de 100000 à 20000000, pas « %1 »</translation>
    </message>
    <message>
        <source>which program? Give the file the editor wrote</source>
        <translation>quel programme ? Donnez le fichier écrit par l&apos;éditeur</translation>
    </message>
    <message>
        <source>one program at a time, not &apos;%1&apos;</source>
        <translation>un programme à la fois, pas « %1 »</translation>
    </message>
    <message>
        <source>: about %1 frames too many (%2 bytes a frame)</source>
        <translation> : environ %1 images de trop (%2 octets par image)</translation>
    </message>
    <message>
        <source>The timings assume a clock of %1 (--clock): set the chip&apos;s fuses or crystal for it.</source>
        <translation>Les durées supposent une horloge de %1 (--clock) : réglez-y les fusibles ou le quartz de la puce.</translation>
    </message>
    <message>
        <source>The timings assume the board&apos;s %1 crystal.</source>
        <translation>Les durées supposent le quartz de %1 de la carte.</translation>
    </message>
    <message>
        <source>The timings assume the factory clock of the %1: its internal RC oscillator at 1 MHz (fuses as delivered).</source>
        <translation>Les durées supposent l&apos;horloge d&apos;usine de l&apos;%1 : son oscillateur RC interne à 1 MHz (fusibles comme livrés).</translation>
    </message>
    <message>
        <source>no frame of this program shows under any buttons</source>
        <translation>aucune image de ce programme ne s&apos;affiche, quels que soient les boutons</translation>
    </message>
    <message>
        <source>--buttons %1 shows the %1 sequence (%2 passes a round)</source>
        <translation>--buttons %1 affiche la séquence %1 (%2 passages par tour)</translation>
    </message>
    <message>
        <source>program %1 of %2 in the file</source>
        <translation>programme %1 sur %2 dans le fichier</translation>
    </message>
    <message>
        <source>the last program of the file is unfinished</source>
        <translation>le dernier programme du fichier est inachevé</translation>
    </message>
    <message>
        <source>--compact needs a program as the editor writes it; this one was edited by hand</source>
        <translation>--compact demande un programme tel que l&apos;écrit l&apos;éditeur ; celui-ci a été modifié à la main</translation>
    </message>
    <message>
        <source>sizes: %1</source>
        <translation>tailles : %1</translation>
    </message>
    <message>
        <source>--compact builds it as a table of frames in flash, which holds up to %1 frames</source>
        <translation>--compact le construit en tableau d&apos;images dans la flash, qui contient jusqu&apos;à %1 images</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>%1 (program %2 of %3), buttons %4; %5</source>
        <translation>%1 (programme %2 sur %3), boutons %4 ; %5</translation>
    </message>
    <message>
        <source>%1, buttons %2; %3</source>
        <translation>%1, boutons %2 ; %3</translation>
    </message>
    <message>
        <source>wrote %1; to put it into the chip:</source>
        <translation>%1 écrit ; pour le mettre dans la puce :</translation>
    </message>
    <message>
        <source>(--verbose shows avrdude&apos;s messages)</source>
        <translation>(--verbose montre les messages d&apos;avrdude)</translation>
    </message>
    <message>
        <source>(--verbose shows the compiler&apos;s messages)</source>
        <translation>(--verbose montre les messages du compilateur)</translation>
    </message>
    <message>
        <source>PROGRAM.c</source>
        <translation>PROGRAMME.c</translation>
    </message>
    <message>
        <source>BP1|BP2|BP3|Aucun</source>
        <translation>BP1|BP2|BP3|Aucun</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>HZ</source>
        <translation>HZ</translation>
    </message>
    <message>
        <source>%1 frame</source>
        <translation>%1 image</translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation>%1 images</translation>
    </message>
    <message>
        <source>%1: put the live program on it with --live --flash, or with Live in ledcube-play</source>
        <translation>%1 : mettez-y le programme en direct avec --live --flash, ou avec En direct dans ledcube-play</translation>
    </message>
    <message>
        <source>--live streams the show to the cube; --png, --gif and --hex are for a run without it</source>
        <translation>--live envoie le spectacle au cube ; --png, --gif et --hex sont pour une exécution sans lui</translation>
    </message>
    <message>
        <source>--live streams to the cube on a serial port: name it with --port</source>
        <translation>--live envoie au cube sur un port série : nommez-le avec --port</translation>
    </message>
    <message>
        <source>Stream what the simulated chip shows to the cube on --port, in real time, for --ms (default: three rounds of the frames); the cube runs the live program, which --flash puts on it first.</source>
        <translation>Envoyer au cube sur --port ce que montre la puce simulée, en temps réel, pendant --ms (par défaut : trois tours des images) ; le cube exécute le programme en direct, que --flash y met d&apos;abord.</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>streamed %1 in %2 s to the %3 on %4</source>
        <translation>%1 envoyées en %2 s à l&apos;%3 sur %4</translation>
    </message>
    <message>
        <source>the cube on %1 is gone (%2) after %3</source>
        <translation>le cube sur %1 a disparu (%2) après %3</translation>
    </message>
    <message>
        <source>%1 exists: --force writes over it</source>
        <translation>%1 existe : --force l&apos;écrase</translation>
    </message>
    <message>
        <source>--effect makes its own program, not &apos;%1&apos;</source>
        <translation>--effect fait son propre programme, pas « %1 »</translation>
    </message>
    <message>
        <source>--effect writes a program: name it with --save</source>
        <translation>--effect écrit un programme : nommez-le avec --save</translation>
    </message>
    <message>
        <source>--frames takes a number of frames from 1 to 10000, not &apos;%1&apos;</source>
        <translation>--frames prend un nombre d&apos;images de 1 à 10000, pas « %1 »</translation>
    </message>
    <message>
        <source>--ms takes whole milliseconds for an effect&apos;s frames</source>
        <translation>--ms prend des millisecondes entières pour les images d&apos;un effet</translation>
    </message>
    <message>
        <source>--set takes NAME=VALUE, not &apos;%1&apos;</source>
        <translation>--set prend NOM=VALEUR, pas « %1 »</translation>
    </message>
    <message>
        <source>A setting of the effect (again for each setting).</source>
        <translation>Un réglage de l&apos;effet (à répéter pour chaque réglage).</translation>
    </message>
    <message>
        <source>How many frames the effect makes, from 1 to 10000.</source>
        <translation>Combien d&apos;images fait l&apos;effet, de 1 à 10000.</translation>
    </message>
    <message>
        <source>Let --save write over a file.</source>
        <translation>Laisser --save écraser un fichier.</translation>
    </message>
    <message>
        <source>NAME=VALUE</source>
        <translation>NOM=VALEUR</translation>
    </message>
    <message>
        <source>NAME|FILE</source>
        <translation>NOM|FICHIER</translation>
    </message>
    <message>
        <source>OUT.c</source>
        <translation>SORTIE.c</translation>
    </message>
    <message>
        <source>The program --effect writes.</source>
        <translation>Le programme qu&apos;écrit --effect.</translation>
    </message>
    <message>
        <source>Write a program of an effect&apos;s frames (--frames of --ms each, default 24 of 150 ms) to --save: a built-in effect or your own in ~/.local/share/ledcube/effects, or a JavaScript file.</source>
        <translation>Écrire dans --save un programme fait des images d&apos;un effet (--frames de --ms chacune, par défaut 24 de 150 ms) : un effet fourni ou l&apos;un des vôtres dans ~/.local/share/ledcube/effects, ou un fichier JavaScript.</translation>
    </message>
    <message>
        <source>no effect named %1: the effects are %2</source>
        <translation>aucun effet nommé %1 : les effets sont %2</translation>
    </message>
    <message>
        <source>wrote %1: %2 of %3 ms, the effect %4</source>
        <translation>%1 écrit : %2 de %3 ms, l&apos;effet %4</translation>
    </message>
</context>
<context>
    <name>ledcube::player::CubePane</name>
    <message>
        <source>Wiring…</source>
        <translation>Câblage…</translation>
    </message>
    <message>
        <source>The pins and levels of your cube on the chip or board chosen</source>
        <translation>Les broches et niveaux de votre cube sur la puce ou la carte choisie</translation>
    </message>
    <message>
        <source>The chip or board the firmware is built for, and the wirings saved for it (ledcube-sim --chip, --wiring)</source>
        <translation>La puce ou la carte pour laquelle le micrologiciel est construit, et les câblages enregistrés pour elle (ledcube-sim --chip, --wiring)</translation>
    </message>
    <message>
        <source>%1, wired as %2</source>
        <translation>%1, câblé selon %2</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Pas à pas</translation>
    </message>
    <message>
        <source>Hold a button with the mouse or keys 1, 2, 3; Shift-click latches it.</source>
        <translation>Tenez un bouton avec la souris ou les touches 1, 2, 3 ; Maj-clic le bloque.</translation>
    </message>
    <message>
        <source>Held while you hold it or key %1; Shift-click holds it until the next Shift-click</source>
        <translation>Tenu tant que vous le tenez, ou la touche %1 ; Maj-clic le tient jusqu&apos;au Maj-clic suivant</translation>
    </message>
    <message>
        <source>Pause or play on (Space)</source>
        <translation>Pause ou reprise (Espace)</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>While paused: on to the next layer slot (Right arrow)</source>
        <translation>En pause : passe au créneau d&apos;étage suivant (flèche droite)</translation>
    </message>
    <message>
        <source>Simulated time against real time</source>
        <translation>Temps simulé par rapport au temps réel</translation>
    </message>
    <message>
        <source>Compact build</source>
        <translation>Version compacte</translation>
    </message>
    <message>
        <source>Play the compact build (ledcube-sim --compact): the frames as a table in flash</source>
        <translation>Jouer la version compacte (ledcube-sim --compact) : les images en tableau dans la flash</translation>
    </message>
    <message>
        <source>The chip or board the firmware is built for (ledcube-sim --chip)</source>
        <translation>La puce ou la carte pour laquelle le micrologiciel est construit (ledcube-sim --chip)</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Vitesse :</translation>
    </message>
    <message>
        <source>Cube time:</source>
        <translation>Temps du cube :</translation>
    </message>
    <message>
        <source>Showing:</source>
        <translation>Affiche :</translation>
    </message>
    <message>
        <source>Program:</source>
        <translation>Programme :</translation>
    </message>
    <message>
        <source>Sizes:</source>
        <translation>Tailles :</translation>
    </message>
    <message>
        <source>no program: open one, or start a new one</source>
        <translation>aucun programme : ouvrez-en un, ou commencez-en un nouveau</translation>
    </message>
    <message>
        <source>the only program in the file</source>
        <translation>le seul programme du fichier</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>En direct</translation>
    </message>
    <message>
        <source>Live:</source>
        <translation>En direct :</translation>
    </message>
    <message>
        <source>Show on the real cube what the player shows, through its serial line, and play with the cube&apos;s own buttons (Ctrl+L)</source>
        <translation>Montrer sur le vrai cube ce que montre le lecteur, par sa ligne série, et jouer avec les boutons du cube (Ctrl+L)</translation>
    </message>
</context>
<context>
    <name>ledcube::player::EditPane</name>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>The duration of the selected frames in milliseconds (Enter sets it)</source>
        <translation>La durée des images choisies en millisecondes (Entrée l&apos;applique)</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée :</translation>
    </message>
</context>
<context>
    <name>ledcube::player::FlashDialog</name>
    <message>
        <source>the unrolled build does not fit the chip: the compact build is flashed</source>
        <translation>la version déroulée ne tient pas dans la puce : c&apos;est la version compacte qui est écrite</translation>
    </message>
    <message>
        <source>Unrolled (the generated program)</source>
        <translation>Déroulée (le programme généré)</translation>
    </message>
    <message>
        <source>Compact (the frames as a table)</source>
        <translation>Compacte (les images en tableau)</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Programmer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>avrdude&apos;s messages</source>
        <translation>Messages d&apos;avrdude</translation>
    </message>
    <message>
        <source>Put on the cube — %1</source>
        <translation>Mettre sur le cube — %1</translation>
    </message>
    <message>
        <source>The serial port of the board or programmer; a board&apos;s USB name is shown beside it</source>
        <translation>Le port série de la carte ou du programmateur ; le nom USB d&apos;une carte est indiqué à côté</translation>
    </message>
    <message>
        <source>Chip or board:</source>
        <translation>Puce ou carte :</translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation>Programmateur :</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Port série :</translation>
    </message>
    <message>
        <source>Build:</source>
        <translation>Version :</translation>
    </message>
    <message>
        <source>building…</source>
        <translation>construction…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>stopped before anything was written</source>
        <translation>arrêté avant que rien ne soit écrit</translation>
    </message>
    <message>
        <source>writing to the %1…</source>
        <translation>écriture dans l&apos;%1…</translation>
    </message>
    <message>
        <source>verifying…</source>
        <translation>vérification…</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p %</translation>
    </message>
    <message>
        <source>Put the live program on the cube — %1</source>
        <translation>Mettre le programme en direct sur le cube — %1</translation>
    </message>
    <message>
        <source>The live program shows on the cube what the player shows, and sends back its buttons. Put on the cube… puts the animation&apos;s own program back.</source>
        <translation>Le programme en direct montre sur le cube ce que montre le lecteur, et renvoie ses boutons. Mettre sur le cube… remet le programme de l&apos;animation.</translation>
    </message>
</context>
<context>
    <name>ledcube::player::FramePanel</name>
    <message>
        <source>%1 sequence %2 of %3</source>
        <translation>séquence %1 %2 sur %3</translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation>séquence %1</translation>
    </message>
    <message>
        <source>%1    %2</source>
        <translation>%1    %2</translation>
    </message>
</context>
<context>
    <name>ledcube::player::PlayerEngine</name>
    <message>
        <source>no key for the %1 sequence</source>
        <translation>pas de touche pour la séquence %1</translation>
    </message>
    <message>
        <source>%1 for the %2 sequence</source>
        <translation>%1 pour la séquence %2</translation>
    </message>
    <message>
        <source>no recorded frame shows under any buttons</source>
        <translation>aucune image enregistrée ne s&apos;affiche, quels que soient les boutons</translation>
    </message>
    <message>
        <source>no sequence plays under these buttons: press %1</source>
        <translation>aucune séquence ne se joue sous ces boutons : appuyez sur %1</translation>
    </message>
    <message>
        <source>waiting for %1 to be created</source>
        <translation>en attente de la création de %1</translation>
    </message>
    <message>
        <source>the program as edited in the player</source>
        <translation>le programme tel que modifié dans le lecteur</translation>
    </message>
    <message>
        <source>the last of the %1 programs in the file</source>
        <translation>le dernier des %1 programmes du fichier</translation>
    </message>
    <message>
        <source>still being recorded: plays as far as it goes</source>
        <translation>en cours d&apos;enregistrement : joué jusqu&apos;où il va</translation>
    </message>
    <message>
        <source>showing the selected frame</source>
        <translation>affiche l&apos;image choisie</translation>
    </message>
    <message>
        <source>following the recording: no button held (Aucun sequence)</source>
        <translation>suit l&apos;enregistrement : aucun bouton tenu (séquence Aucun)</translation>
    </message>
    <message>
        <source>following the recording: %1 held</source>
        <translation>suit l&apos;enregistrement : %1 tenu</translation>
    </message>
    <message>
        <source>compact build: %1</source>
        <translation>version compacte : %1</translation>
    </message>
    <message>
        <source>the file cannot be read; waiting for it to change</source>
        <translation>le fichier ne peut pas être lu ; en attente d&apos;un changement</translation>
    </message>
    <message>
        <source>the file is gone; waiting for it to come back</source>
        <translation>le fichier a disparu ; en attente de son retour</translation>
    </message>
    <message>
        <source>the compact build needs cells of 0 and 1: %1</source>
        <translation>la construction compacte veut des cellules à 0 et 1 : %1</translation>
    </message>
    <message>
        <source>the Compact build holds up to %1 frames</source>
        <translation>la construction compacte tient jusqu&apos;à %1 images</translation>
    </message>
    <message>
        <source>compact build about %1 bytes</source>
        <translation>construction compacte environ %1 octets</translation>
    </message>
    <message>
        <source>its last block is cut off at line %1: the whole frames before it play</source>
        <translation>son dernier bloc est coupé ligne %1 : les images entières d&apos;avant jouent</translation>
    </message>
    <message>
        <source>%1 (and %2 more such lines)</source>
        <translation>%1 (et %2 autres lignes de ce genre)</translation>
    </message>
    <message>
        <source>running to the selected frame (%1)…</source>
        <translation>en route vers l&apos;image choisie (%1)…</translation>
    </message>
</context>
<context>
    <name>ledcube::player::PlayerMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>D&amp;uplicate after</source>
        <translation>&amp;Dupliquer à la suite</translation>
    </message>
    <message>
        <source>&amp;Insert an empty frame after</source>
        <translation>&amp;Insérer une image vide à la suite</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>&amp;Monter</translation>
    </message>
    <message>
        <source>Move do&amp;wn</source>
        <translation>Desce&amp;ndre</translation>
    </message>
    <message>
        <source>&amp;New sequence</source>
        <translation>Nouvelle sé&amp;quence</translation>
    </message>
    <message>
        <source>C&amp;hange the sequence&apos;s buttons</source>
        <translation>C&amp;hanger les boutons de la séquence</translation>
    </message>
    <message>
        <source>Delete the sequence and its frames</source>
        <translation>Supprimer la séquence et ses images</translation>
    </message>
    <message>
        <source>&amp;Transform</source>
        <translation>&amp;Transformer</translation>
    </message>
    <message>
        <source>&amp;Duplicate and…</source>
        <translation>&amp;Dupliquer et…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Frame panel</source>
        <translation>&amp;Panneau des images</translation>
    </message>
</context>
<context>
    <name>ledcube::player::PlayerWindow</name>
    <message>
        <source>my cube</source>
        <translation>mon cube</translation>
    </message>
    <message>
        <source>Wiring test — LED cube player</source>
        <translation>Test de câblage — Lecteur du cube de LED</translation>
    </message>
    <message>
        <source>The wiring test: each LED alone in turn, then each layer and the whole cube; a button held lights its layer. Compare the real cube.</source>
        <translation>Le test de câblage : chaque LED seule à son tour, puis chaque étage et le cube entier ; un bouton tenu allume son étage. Comparez avec le vrai cube.</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>&amp;Wiring test</source>
        <translation>&amp;Test de câblage</translation>
    </message>
    <message>
        <source>Save the program</source>
        <translation>Enregistrer le programme</translation>
    </message>
    <message>
        <source>Cube programs (*.c);;All files (*)</source>
        <translation>Programmes du cube (*.c);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>&amp;New program</source>
        <translation>&amp;Nouveau programme</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;Ouvrir…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>Enregistrer &amp;sous…</translation>
    </message>
    <message>
        <source>&amp;Reload the file</source>
        <translation>&amp;Recharger le fichier</translation>
    </message>
    <message>
        <source>Put on the c&amp;ube…</source>
        <translation>Mettre sur le c&amp;ube…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Nothing to paste: %1.</source>
        <translation>Rien à coller : %1.</translation>
    </message>
    <message>
        <source>new program</source>
        <translation>nouveau programme</translation>
    </message>
    <message>
        <source>%1[*] — LED cube player</source>
        <translation>%1[*] — Lecteur du cube de LED</translation>
    </message>
    <message>
        <source>edited copy of %1 — no longer following the file</source>
        <translation>copie modifiée de %1 — ne suit plus le fichier</translation>
    </message>
    <message>
        <source>The new program</source>
        <translation>Le nouveau programme</translation>
    </message>
    <message>
        <source>%1 has edits that are not saved. Save them?</source>
        <translation>%1 a des modifications non enregistrées. Les enregistrer ?</translation>
    </message>
    <message>
        <source>A new program: not saved yet</source>
        <translation>Un nouveau programme : pas encore enregistré</translation>
    </message>
    <message>
        <source>No program open: open one, or drop a file here.</source>
        <translation>Aucun programme ouvert : ouvrez-en un, ou déposez un fichier ici.</translation>
    </message>
    <message>
        <source>LED cube player</source>
        <translation>Lecteur du cube de LED</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Ouvrir…</translation>
    </message>
    <message>
        <source>Open a cube program</source>
        <translation>Ouvrir un programme du cube</translation>
    </message>
    <message>
        <source>Hold one button, or none, for the animation: the cube plays no sequence under several.</source>
        <translation>Tenez un bouton, ou aucun, pour l&apos;animation : le cube ne joue aucune séquence sous plusieurs.</translation>
    </message>
    <message>
        <source>The animation was not written: %1</source>
        <translation>L&apos;animation n&apos;a pas été écrite : %1</translation>
    </message>
    <message>
        <source>Export the animation</source>
        <translation>Exporter l&apos;animation</translation>
    </message>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation>GIF animé (*.gif)</translation>
    </message>
    <message>
        <source>&amp;Export animation…</source>
        <translation>E&amp;xporter l&apos;animation…</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Ne pas enregistrer</translation>
    </message>
    <message>
        <source>%1. Put the live program on it now?</source>
        <translation>%1. Y mettre le programme en direct maintenant ?</translation>
    </message>
    <message>
        <source>&amp;Live on the cube</source>
        <translation>En &amp;direct sur le cube</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Insertion</translation>
    </message>
    <message>
        <source>&amp;Effect…</source>
        <translation>&amp;Effet…</translation>
    </message>
    <message>
        <source>the program would then take about %1 of the %2&apos;s %3 bytes of flash</source>
        <translation>le programme prendrait alors environ %1 des %3 octets de flash de l&apos;%2</translation>
    </message>
    <message>
        <source>; the compact build holds up to %1 frames</source>
        <translation> ; la construction compacte tient jusqu&apos;à %1 images</translation>
    </message>
    <message>
        <source>%1. Insert the frames all the same?</source>
        <translation>%1. Insérer les images malgré tout ?</translation>
    </message>
</context>
<context>
    <name>Wiring</name>
    <message>
        <source>cannot write the wiring %1: %2</source>
        <translation>impossible d&apos;écrire le câblage %1 : %2</translation>
    </message>
    <message>
        <source>cannot read the wiring %1</source>
        <translation>impossible de lire le câblage %1</translation>
    </message>
    <message>
        <source>a wiring&apos;s name holds letters, digits, spaces, - and _, not &quot;%1&quot;</source>
        <translation>le nom d&apos;un câblage tient en lettres, chiffres, espaces, - et _, pas « %1 »</translation>
    </message>
    <message>
        <source>there is no chip &quot;%1&quot; (%2)</source>
        <translation>il n&apos;y a pas de puce « %1 » (%2)</translation>
    </message>
    <message>
        <source>the wiring is for the %1, and --chip names the %2</source>
        <translation>le câblage est pour %1, et --chip nomme %2</translation>
    </message>
    <message>
        <source>the reset pin</source>
        <translation>la broche de reset</translation>
    </message>
    <message>
        <source>the board&apos;s crystal</source>
        <translation>le quartz de la carte</translation>
    </message>
    <message>
        <source>the USB serial&apos;s TX</source>
        <translation>le TX de la liaison série USB</translation>
    </message>
    <message>
        <source>the USB serial&apos;s RX</source>
        <translation>le RX de la liaison série USB</translation>
    </message>
    <message>
        <source>the ISP header&apos;s %1</source>
        <translation>le %1 du connecteur ISP</translation>
    </message>
    <message>
        <source>the %1 has no pin %2</source>
        <translation>l&apos;%1 n&apos;a pas de broche %2</translation>
    </message>
    <message>
        <source>an analog input only</source>
        <translation>une entrée analogique seulement</translation>
    </message>
    <message>
        <source>a setting reads NAME = VALUE, as in &quot;LED1 = D13&quot;, not &quot;%1&quot;</source>
        <translation>un réglage s&apos;écrit NOM = VALEUR, comme « LED1 = D13 », pas « %1 »</translation>
    </message>
    <message>
        <source>%1: no line gives the pin of %2</source>
        <translation>%1 : aucune ligne ne donne la broche de %2</translation>
    </message>
    <message>
        <source>%1: no line gives the level of &quot;%2&quot;</source>
        <translation>%1 : aucune ligne ne donne le niveau de « %2 »</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, ligne %2 : %3</translation>
    </message>
    <message>
        <source>%1 is on %2, which line %3 gives to %4 already</source>
        <translation>%1 est sur %2, que la ligne %3 donne déjà à %4</translation>
    </message>
    <message>
        <source>%1 is on %2, %3: the board cannot be flashed through its USB while the cube is on it</source>
        <translation>%1 est sur %2, %3 : la carte ne peut pas être programmée par son USB tant que le cube y est branché</translation>
    </message>
    <message>
        <source>%1 is on %2, %3: a programmer on that header drives it while it flashes</source>
        <translation>%1 est sur %2, %3 : un programmateur branché sur ce connecteur la pilote pendant la programmation</translation>
    </message>
    <message>
        <source>%1 is high or low, not &quot;%2&quot;</source>
        <translation>%1 vaut high ou low, pas « %2 »</translation>
    </message>
    <message>
        <source>%1 is given twice (first on line %2)</source>
        <translation>%1 est donné deux fois (d&apos;abord à la ligne %2)</translation>
    </message>
    <message>
        <source>%1 is %2: the chip cannot read a button on it</source>
        <translation>%1 est %2 : la puce ne peut pas y lire un bouton</translation>
    </message>
    <message>
        <source>%1 is %2: the chip cannot drive %3 from it</source>
        <translation>%1 est %2 : la puce ne peut pas y piloter %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no setting of a wiring (chip, LED1 to LED9, Etage1 to Etage3, BP1 to BP3, leds lit, layers on, buttons pressed)</source>
        <translation>« %1 » n&apos;est pas un réglage de câblage (chip, LED1 à LED9, Etage1 à Etage3, BP1 à BP3, leds lit, layers on, buttons pressed)</translation>
    </message>
</context>
<context>
    <name>WiringTest</name>
    <message>
        <source>the whole cube</source>
        <translation>le cube entier</translation>
    </message>
    <message>
        <source>right</source>
        <translation>droite</translation>
    </message>
    <message>
        <source>nothing lit</source>
        <translation>rien d&apos;allumé</translation>
    </message>
    <message>
        <source>middle row</source>
        <translation>rangée du milieu</translation>
    </message>
    <message>
        <source>left</source>
        <translation>gauche</translation>
    </message>
    <message>
        <source>layer %1, %2, %3 — %4 with %5</source>
        <translation>étage %1, %2, %3 — %4 avec %5</translation>
    </message>
    <message>
        <source>layer %1 whole — %2</source>
        <translation>étage %1 entier — %2</translation>
    </message>
    <message>
        <source>front row</source>
        <translation>rangée de devant</translation>
    </message>
    <message>
        <source>centre</source>
        <translation>milieu</translation>
    </message>
    <message>
        <source>back row</source>
        <translation>rangée du fond</translation>
    </message>
    <message>
        <source>%1 LEDs lit</source>
        <translation>%1 LED allumées</translation>
    </message>
    <message>
        <source>%1 LED lit</source>
        <translation>%1 LED allumée</translation>
    </message>
</context>
<context>
    <name>ledcube::player::WiringDialog</name>
    <message>
        <source>taken by %1</source>
        <translation>pris par %1</translation>
    </message>
    <message>
        <source>low</source>
        <translation>bas</translation>
    </message>
    <message>
        <source>high</source>
        <translation>haut</translation>
    </message>
    <message>
        <source>Wiring — %1</source>
        <translation>Câblage — %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Layers on at a level:</source>
        <translation>Étages actifs au niveau :</translation>
    </message>
    <message>
        <source>LEDs lit by a level:</source>
        <translation>LED allumées au niveau :</translation>
    </message>
    <message>
        <source>Buttons pressed read:</source>
        <translation>Boutons appuyés lus :</translation>
    </message>
</context>
<context>
    <name>live</name>
    <message>
        <source>asking the %1 on %2 whether it runs the live program…</source>
        <translation>interrogation de l&apos;%1 sur %2 : exécute-t-il le programme en direct ?…</translation>
    </message>
    <message>
        <source>does not answer its hello line</source>
        <translation>ne répond pas par sa ligne de salut</translation>
    </message>
    <message>
        <source>does not report BP1 held</source>
        <translation>ne signale pas BP1 enfoncé</translation>
    </message>
    <message>
        <source>does not show the frames it is sent, and only those</source>
        <translation>ne montre pas les images qu&apos;on lui envoie, et elles seules</translation>
    </message>
    <message>
        <source>live on the %1 on %2</source>
        <translation>en direct sur l&apos;%1 sur %2</translation>
    </message>
    <message>
        <source>opening %1 for the %2…</source>
        <translation>ouverture de %1 pour l&apos;%2…</translation>
    </message>
    <message>
        <source>the %1 at this clock makes no serial speed of 9600 baud or more</source>
        <translation>l&apos;%1 à cette horloge ne donne aucune vitesse série de 9600 bauds ou plus</translation>
    </message>
    <message>
        <source>the %1 on %2 does not answer as the live program does</source>
        <translation>l&apos;%1 sur %2 ne répond pas comme le programme en direct</translation>
    </message>
    <message>
        <source>the %1&apos;s wiring puts %2 on %3, but the live program needs %4 and %5 (RXD, TXD) for its serial line: choose a wiring that leaves them free</source>
        <translation>le câblage de l&apos;%1 met %2 sur %3, mais le programme en direct a besoin de %4 et %5 (RXD, TXD) pour sa ligne série : choisissez un câblage qui les laisse libres</translation>
    </message>
    <message>
        <source>the board on %1 runs another live program (%2), not the %3&apos;s</source>
        <translation>la carte sur %1 exécute un autre programme en direct (%2), pas celui de l&apos;%3</translation>
    </message>
    <message>
        <source>the cube on %1 is gone (%2): playing on screen only until it comes back</source>
        <translation>le cube sur %1 a disparu (%2) : lecture à l&apos;écran seulement jusqu&apos;à son retour</translation>
    </message>
    <message>
        <source>the live program for the %1 %2</source>
        <translation>le programme en direct pour l&apos;%1 %2</translation>
    </message>
</context>
<context>
    <name>Effects</name>
    <message>
        <source>%1 has no function lit(x, y, z, t, n) and no function frame(t, n)</source>
        <translation>%1 n&apos;a ni fonction lit(x, y, z, t, n) ni fonction frame(t, n)</translation>
    </message>
    <message>
        <source>%1 ran past %2 and was stopped</source>
        <translation>%1 a duré plus de %2 et a été arrêté</translation>
    </message>
    <message>
        <source>%1 second</source>
        <translation>%1 seconde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 secondes</translation>
    </message>
    <message>
        <source>%1 takes a number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 prend un nombre de %2 à %3, pas « %4 »</translation>
    </message>
    <message>
        <source>%1 takes a whole number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 prend un nombre entier de %2 à %3, pas « %4 »</translation>
    </message>
    <message>
        <source>%1 takes one of %2, not &apos;%3&apos;</source>
        <translation>%1 prend l&apos;un de %2, pas « %3 »</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, ligne %2 : %3</translation>
    </message>
    <message>
        <source>%1: frame(%2, %3) returned %4, not an array of 27 cells</source>
        <translation>%1 : frame(%2, %3) a rendu %4, pas un tableau de 27 cellules</translation>
    </message>
    <message>
        <source>%1: lit(%2, %3, %4, %5, %6) returned %7, not true or false</source>
        <translation>%1 : lit(%2, %3, %4, %5, %6) a rendu %7, ni true ni false</translation>
    </message>
    <message>
        <source>%1: setting %2 %3</source>
        <translation>%1 : le réglage %2 %3</translation>
    </message>
    <message>
        <source>has a kind other than integer, number or choice</source>
        <translation>a un genre autre que integer, number ou choice</translation>
    </message>
    <message>
        <source>is a choice without choices</source>
        <translation>est un choix sans choix</translation>
    </message>
    <message>
        <source>needs a min, a max and a default between them</source>
        <translation>demande un min, un max et un défaut entre les deux</translation>
    </message>
    <message>
        <source>needs a name of letters, digits and _</source>
        <translation>demande un nom fait de lettres, de chiffres et de _</translation>
    </message>
    <message>
        <source>the effect %1 has no setting %2: its settings are %3</source>
        <translation>l&apos;effet %1 n&apos;a pas de réglage %2 : ses réglages sont %3</translation>
    </message>
    <message>
        <source>the effect %1 has no settings, not even %2</source>
        <translation>l&apos;effet %1 n&apos;a aucun réglage, pas même %2</translation>
    </message>
</context>
<context>
    <name>ledcube::player::EffectDialog</name>
    <message>
        <source>Insert an effect</source>
        <translation>Insérer un effet</translation>
    </message>
    <message>
        <source>Formula</source>
        <translation>Formule</translation>
    </message>
    <message>
        <source>The body of lit(x, y, z, t, n): x the column from the left, y the row from the back, z the layer from the bottom (each 0 to 2), t the frame from 0 of n</source>
        <translation>Le corps de lit(x, y, z, t, n) : x la colonne depuis la gauche, y la rangée depuis le fond, z l&apos;étage depuis le bas (chacun de 0 à 2), t l&apos;image depuis 0 sur n</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>Images :</translation>
    </message>
    <message>
        <source>Each:</source>
        <translation>Chacune :</translation>
    </message>
    <message>
        <source>the frames do not fit the chip&apos;s flash for a preview</source>
        <translation>les images ne tiennent pas dans la flash de la puce pour un aperçu</translation>
    </message>
</context>
</TS>
