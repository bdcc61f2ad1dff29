#include "Arduino.h"
#include "I2Cdev.h"
#include "Wire.h"
#include "LiquidCrystal_I2C.h"
#include "Speaker.h"

#define I2C_ADDR          0x27        //Define I2C Address where the PCF8574A is
#define BACKLIGHT_PIN      3
#define En_pin             2
#define Rw_pin             1
#define Rs_pin             0
#define D4_pin             4
#define D5_pin             5
#define D6_pin             6
#define D7_pin             7
LiquidCrystal_I2C Serial_LCD_0(I2C_ADDR, En_pin,Rw_pin,Rs_pin,D4_pin,D5_pin,D6_pin,D7_pin);  //Serial LCD
Speaker Sound_2(8);
 

void setup() {
  Serial_LCD_0.begin(16, 2);
  //Switch on the backlight
  Serial_LCD_0.setBacklightPin(BACKLIGHT_PIN,POSITIVE);
  Serial_LCD_0.setBacklight(HIGH);
  Serial_LCD_0.print(F("LCD OK...."));
  pinMode(14,INPUT);
}

void loop() {
   
   while (1){
      Serial_LCD_0.clear();
      Serial_LCD_0.print("Χώμα ");Serial_LCD_0.print(analogRead(14));
      if (analogRead(14) > 700) { 
         Serial_LCD_0.setCursor(0,1);
         Serial_LCD_0.print("Πότισέ με!");
         Sound_2.PlayTone(1000,300);
      }
      
      delay(2000);
   }
   
}

