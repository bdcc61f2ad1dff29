#include "Arduino.h"

 

void setup() {
  pinMode(12,OUTPUT);
}

void loop() {
   
   for (int ik1=0;ik1<5;ik1++){
      digitalWrite(12,HIGH);
      delay(200);
      digitalWrite(12,LOW);
      delay(800);
   }
   
   while(1);
}

