#include "Arduino.h"

 
int Chronos;

void setup() {
  pinMode(13,OUTPUT);
}

void loop() {
   
   Chronos=1000;
   for (int ik1=0;ik1<10;ik1++){
      digitalWrite(13,HIGH);
      delay(Chronos);
      digitalWrite(13,LOW);
      delay(Chronos);
      Chronos+=-100;
   }
   
   while(1);
}

